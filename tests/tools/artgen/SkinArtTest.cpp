// SPDX-License-Identifier: GPL-3.0-or-later
#include "SkinArt.h"

#include "ArtKit.h"
#include "widgetkit/ColorKey.h"

#include <gtest/gtest.h>

namespace {

class SkinArtTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(ArtKit::loadFonts());
        s_skin = SkinArt::skin();
    }
    static inline QImage s_skin;
};

bool around(const QPainterPath& shape, QPoint pixel, bool inside) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (shape.contains(QPointF(pixel.x() + dx + 0.5, pixel.y() + dy + 0.5)) != inside)
                return false;
        }
    }
    return true;
}

TEST_F(SkinArtTest, MagentaFollowsTheOutlineExactly) {
    ASSERT_EQ(s_skin.size(), QSize(800, 600));
    const QPainterPath shape = SkinArt::shape();
    int checkedInside = 0;
    int checkedOutside = 0;
    // Every third pixel, skipping those on the outline itself, where rounding decides.
    for (int y = 1; y < 600; y += 3) {
        for (int x = 1; x < 800; x += 3) {
            const bool magenta = ColorKey::isKey(s_skin.pixel(x, y));
            if (around(shape, {x, y}, true)) {
                ++checkedInside;
                ASSERT_FALSE(magenta) << x << "," << y;
            } else if (around(shape, {x, y}, false)) {
                ++checkedOutside;
                ASSERT_TRUE(magenta) << x << "," << y;
            }
        }
    }
    EXPECT_GT(checkedInside, 40000);
    EXPECT_GT(checkedOutside, 1000);
}

TEST_F(SkinArtTest, StartButtonBlendsIntoTheSkinItCovers) {
    using SkinArt::StartFace;
    for (const StartFace face : {StartFace::Start, StartFace::Stop}) {
        for (const bool russian : {false, true}) {
            for (int state = 0; state < 3; ++state) {
                SCOPED_TRACE(testing::Message() << (face == StartFace::Stop ? "stop " : "start ")
                                                << russian << " " << state);
                const QImage button = SkinArt::startButton(s_skin, russian, state, face);
                ASSERT_EQ(button.size(), QSize(164, 50));
                EXPECT_FALSE(button.hasAlphaChannel() && qAlpha(button.pixel(0, 0)) != 255);
                if (state != 1) {
                    // Outside the pill the picture is the skin itself, so no seam shows.
                    EXPECT_EQ(button.pixel(0, 0), s_skin.pixel(316, 318));
                    EXPECT_EQ(button.pixel(163, 49), s_skin.pixel(479, 367));
                }
            }
        }
    }
}

// Counts the pixels where two pictures of one size differ.
int differingPixels(const QImage& a, const QImage& b, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    }
    return count;
}

TEST_F(SkinArtTest, TheStopFaceDiffersFromStartInSignAndWordButKeepsItsStates) {
    using SkinArt::StartFace;
    const QRect sign(20, 12, 22, 26);
    const QRect word(50, 8, 100, 34);
    for (const bool russian : {false, true}) {
        for (int state = 0; state < 3; ++state) {
            SCOPED_TRACE(testing::Message() << russian << " " << state);
            const QImage start = SkinArt::startButton(s_skin, russian, state, StartFace::Start);
            const QImage stop = SkinArt::startButton(s_skin, russian, state, StartFace::Stop);
            EXPECT_GT(differingPixels(start, stop, sign), 40);
            EXPECT_GT(differingPixels(start, stop, word), 100);
            // The rest of the button (the pill and its glow) is the start button's own.
            EXPECT_EQ(start.copy(152, 0, 12, 50), stop.copy(152, 0, 12, 50));
            if (state > 0) {
                const QImage normal = SkinArt::startButton(s_skin, russian, 0, StartFace::Stop);
                EXPECT_GT(differingPixels(normal, stop, stop.rect()), 100);
            }
        }
        EXPECT_NE(SkinArt::startButton(s_skin, russian, 1, StartFace::Stop),
                  SkinArt::startButton(s_skin, russian, 2, StartFace::Stop));
    }
}

} // namespace
