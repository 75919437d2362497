// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArtKit.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

class ArtKitTest : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(ArtKit::loadFonts()); }
};

QRect inkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 64)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

TEST_F(ArtKitTest, OutlinedTextLandsWhereItsAlignmentSays) {
    const QRectF box(20, 10, 60, 40);
    struct Case {
        int flags;
        const char* text;
    };
    for (const Case& c : {Case{Qt::AlignCenter, "?"}, Case{Qt::AlignCenter, "Старт"},
                          Case{Qt::AlignLeft | Qt::AlignVCenter, "Ab"},
                          Case{Qt::AlignRight | Qt::AlignVCenter, "Ab"}}) {
        SCOPED_TRACE(c.text);
        QImage image = ArtKit::transparentImage(100, 60);
        {
            QPainter painter(&image);
            ArtKit::outlinedText(painter, box, c.flags, QString::fromUtf8(c.text),
                                 ArtKit::sans(14, true), QBrush(Qt::white), Qt::black, 0);
        }
        const QRect ink = inkBounds(image);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_TRUE(box.toAlignedRect().adjusted(-1, -1, 1, 1).contains(ink));
        // Glyphs sit on a baseline, so only the horizontal placement is tight.
        EXPECT_NEAR(ink.center().y(), box.center().y(), 5);
        if (c.flags & Qt::AlignHCenter)
            EXPECT_NEAR(ink.center().x(), box.center().x(), 2);
        else if (c.flags & Qt::AlignLeft)
            EXPECT_LE(ink.left() - box.left(), 3);
        else
            EXPECT_LE(box.right() - ink.right(), 3);
    }
}

TEST_F(ArtKitTest, GlowSpreadsAroundTheArtAndKeepsItOnTop) {
    QImage art = ArtKit::transparentImage(40, 40);
    art.setPixelColor(20, 20, Qt::red);
    {
        QPainter painter(&art);
        painter.fillRect(QRect(16, 16, 8, 8), Qt::red);
    }
    const QImage glowing = ArtKit::withGlow(art, Qt::white, 6);
    ASSERT_EQ(glowing.size(), art.size());
    EXPECT_EQ(glowing.pixel(20, 20), art.pixel(20, 20));
    EXPECT_GT(qAlpha(glowing.pixel(13, 20)), 0);
    EXPECT_EQ(qAlpha(glowing.pixel(0, 0)), 0);
}

} // namespace
