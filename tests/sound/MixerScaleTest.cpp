// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/MixerScale.h"

#include <gtest/gtest.h>

namespace {

TEST(MixerScale, ScalesInExtendedPrecisionRoundingHalvesToEven) {
    struct Case {
        qint32 valueMax;
        int level;
        qint64 expected;
    };
    const Case cases[] = {
        {100, 50, 32767}, {80, 50, 40959}, {60, 50, 54612}, {100, 1, 655},     {100, 25, 16384},
        {100, 30, 19660}, {40, 50, 81919}, {100, 0, 0},     {100, 100, 65535},
    };
    for (const Case& c : cases) {
        qint32 valueMax = c.valueMax;
        const MixerValues values = scaleLevels(valueMax, c.level, 0);
        EXPECT_EQ(values.left, c.expected) << c.valueMax << " at level " << c.level;
        EXPECT_EQ(values.right, 0);
    }
}

TEST(MixerScale, BringsValueMaxIntoRange) {
    const std::pair<qint32, qint32> cases[] = {{0, 1}, {-5, 1}, {101, 100}, {250, 100}, {40, 40}};
    for (const auto& [stored, used] : cases) {
        qint32 valueMax = stored;
        scaleLevels(valueMax, 10, 10);
        EXPECT_EQ(valueMax, used) << stored;
    }
    qint32 one = 0;
    EXPECT_EQ(scaleLevels(one, 1, 2), (MixerValues{65535, 131070}));
}

TEST(MixerScale, MixerValuesAboveTheScaleAreSetAsTheMaximum) {
    EXPECT_EQ(clampToMixer(81919), 65535);
    EXPECT_EQ(clampToMixer(65535), 65535);
    EXPECT_EQ(clampToMixer(32767), 32767);
    EXPECT_EQ(clampToMixer(-3), 0);
}

} // namespace
