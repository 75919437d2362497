// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ScreenPlacement.h"

#include <gtest/gtest.h>

namespace {

TEST(ScreenPlacement, CentresOnTheScreensAvailableAreaWithItsOffset) {
    struct Case {
        const char* layout;
        QRect area;
        int width;
        int top;
        QPoint expected;
    };
    const Case cases[] = {
        {"one pixel narrower: the halving truncates", {0, 0, 799, 600}, 800, 10, {0, 10}},
        {"primary on the right", {1920, 0, 1280, 1024}, 800, 10, {2160, 10}},
        {"primary below a panel", {0, 32, 1920, 1048}, 400, 100, {760, 132}},
        {"primary left of the origin", {-1280, 0, 1280, 1024}, 800, 10, {-1040, 10}},
        {"primary above the origin", {0, -1080, 1920, 1080}, 400, 100, {760, -980}},
        {"narrow primary left of the origin", {-640, 0, 640, 480}, 800, 10, {-720, 10}},
        {"odd width right of the origin", {1, 0, 801, 600}, 400, 0, {201, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScreenPlacement::centred(c.area, c.width, c.top), c.expected) << c.layout;
}

} // namespace
