// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/ColorKey.h"

#include <QBitmap>

#include <gtest/gtest.h>

namespace {

const QRgb Magenta = qRgb(255, 0, 255);

// Each string is a row: '#' a key pixel, anything else a picture pixel.
QImage picture(const std::vector<const char*>& rows) {
    QImage image(static_cast<int>(strlen(rows[0])), static_cast<int>(rows.size()),
                 QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y,
                           rows[static_cast<size_t>(y)][x] == '#' ? Magenta : qRgb(10, 20, 30 + x));
    }
    return image;
}

TEST(ColorKey, RegionHoldsExactlyThePixelsThatAreNotMagenta) {
    const std::vector<std::vector<const char*>> shapes{
        {"####", "####"},
        {"....", "...."},
        {"#..#", "#..#", "#..#", "....", ".##.", ".##."},
        {"#.#.#.", ".#.#.#", "#.#.#.", "#.#.#."},
        {"##....##", "#......#", "........", "........", "#.#..#.#", "#.##.#.#"},
    };
    for (const auto& rows : shapes) {
        const QImage image = picture(rows);
        const QRegion region = ColorKey::regionWithoutKey(image);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                SCOPED_TRACE(testing::Message() << rows[0] << " at " << x << "," << y);
                EXPECT_EQ(region.contains(QPoint(x, y)), image.pixel(x, y) != Magenta);
            }
        }
    }
}

TEST(ColorKey, NearMagentaAndTransparentMagentaAreNotTheKey) {
    QImage image(4, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 255, 255));
    image.setPixel(1, 0, qRgba(254, 0, 255, 255));
    image.setPixel(2, 0, qRgba(255, 1, 255, 255));
    image.setPixel(3, 0, qRgba(255, 0, 255, 128));
    const QImage cut = ColorKey::cutKey(image);
    EXPECT_EQ(qAlpha(cut.pixel(0, 0)), 0);
    EXPECT_EQ(cut.pixel(1, 0), qRgba(254, 0, 255, 255));
    EXPECT_EQ(cut.pixel(2, 0), qRgba(255, 1, 255, 255));
    EXPECT_EQ(qAlpha(cut.pixel(3, 0)), 128);
}

TEST(ColorKey, CutKeyAgreesWithQtsOwnMask) {
    const QImage image = picture({"#..#", ".##.", "#..#"});
    const QImage cut = ColorKey::cutKey(image);
    const QImage mask = image.createMaskFromColor(Magenta, Qt::MaskInColor);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool keyed = mask.pixelIndex(x, y) == 1;
            EXPECT_EQ(qAlpha(cut.pixel(x, y)), keyed ? 0 : 255) << x << "," << y;
            if (!keyed) {
                EXPECT_EQ(cut.pixel(x, y), image.pixel(x, y));
            }
        }
    }
}

TEST(ColorKey, EmptyPictureGivesEmptyRegion) {
    EXPECT_TRUE(ColorKey::regionWithoutKey(QImage()).isEmpty());
}

} // namespace
