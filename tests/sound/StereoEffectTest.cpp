// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/StereoEffect.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(StereoEffect, FixedPlacesTakeHoldOnTheFirstTickAndStop) {
    const std::pair<int, StereoLevels> cases[] = {{0, {50, 50}}, {1, {50, 0}}, {2, {0, 50}}};
    for (const auto& [effect, levels] : cases) {
        StereoEffect stepper;
        stepper.SweepTick = 120; // a sweep in progress is left alone
        const StereoEffect::Step step = stepper.tick(effect);
        EXPECT_EQ(step.levels, levels) << effect;
        EXPECT_FALSE(step.timerRuns);
        EXPECT_EQ(stepper.SweepTick, 120);
    }
}

TEST(StereoEffect, SweepsFollowTheirScheduleAndEndSilent) {
    struct Expect {
        int tick;
        std::optional<StereoLevels> rightToLeft; // effect 3
        std::optional<StereoLevels> leftToRight; // effect 4
    };
    const Expect table[] = {
        {1, {{0, 50}}, {{50, 0}}},
        {2, {}, {}},
        {50, {}, {}},
        {51, {{1, 49}}, {{49, 1}}},
        {75, {{25, 25}}, {{25, 25}}},
        {100, {{50, 0}}, {{0, 50}}},
        {101, {}, {}},
        {250, {}, {}},
        {251, {{49, 0}}, {{0, 49}}},
        {299, {{1, 0}}, {{0, 1}}},
        {300, {{0, 0}}, {{0, 0}}},
    };
    for (int effect : {3, 4}) {
        StereoEffect stepper;
        std::map<int, StereoEffect::Step> steps;
        for (int tick = 1; tick <= 300; ++tick)
            steps[tick] = stepper.tick(effect);
        for (const Expect& e : table) {
            const auto& expected = effect == 3 ? e.rightToLeft : e.leftToRight;
            EXPECT_EQ(steps[e.tick].levels, expected) << "effect " << effect << " tick " << e.tick;
            EXPECT_EQ(steps[e.tick].timerRuns, e.tick != 300) << e.tick;
        }
        EXPECT_EQ(stepper.SweepTick, 0) << "reset at the end";
    }
}

TEST(StereoEffect, ANewSweepGoesOnFromTheCurrentTick) {
    StereoEffect stepper;
    for (int tick = 1; tick <= 60; ++tick)
        stepper.tick(3);
    // Another sweep starts (the other way) while the first is at tick 60.
    EXPECT_EQ(stepper.tick(4).levels, (StereoLevels{39, 11}));
    EXPECT_EQ(stepper.SweepTick, 61);
}

TEST(StereoEffect, AnUnknownEffectStopsWithoutChangingTheLevels) {
    StereoEffect stepper;
    const StereoEffect::Step step = stepper.tick(7);
    EXPECT_FALSE(step.levels);
    EXPECT_FALSE(step.timerRuns);
}

} // namespace
