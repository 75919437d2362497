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
    for (const bool russian : {false, true}) {
        for (int state = 0; state < 3; ++state) {
            SCOPED_TRACE(testing::Message() << russian << " " << state);
            const QImage button = SkinArt::startButton(s_skin, russian, state);
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

} // namespace
