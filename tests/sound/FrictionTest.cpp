// SPDX-License-Identifier: GPL-3.0-or-later
#include "Friction.h"

#include "Creaks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

struct SlipCount {
    int slips = 0;
    double spread = 0; // standard deviation of the gaps over their mean
};

SlipCount countSlips(const Synth::Wave& train) {
    std::vector<double> gaps;
    std::size_t last = 0;
    SlipCount c;
    for (std::size_t i = 0; i < train.size(); ++i) {
        if (train[i] == 0.0f)
            continue;
        if (c.slips > 0)
            gaps.push_back(double(i - last));
        last = i;
        ++c.slips;
    }
    if (gaps.size() < 2)
        return c;
    double mean = 0;
    for (double g : gaps)
        mean += g / double(gaps.size());
    double variance = 0;
    for (double g : gaps)
        variance += (g - mean) * (g - mean) / double(gaps.size());
    c.spread = std::sqrt(variance) / mean;
    return c;
}

// A slip takes the load from what the joint keeps (0 to 0.3 of its grip, 0.15 on average) up to
// the grip: 0.85 of a slip's travel, so a push of speed v slips about v / 0.85 times as often as
// the body's rate.
double expectedSlips(double speed, double rate, double seconds) {
    return speed * rate * seconds / 0.85;
}

TEST(StickSlip, SlipsFollowTheSpeedAndNeverFallIntoAnEvenBeat) {
    struct Case {
        const char* name;
        double speed;
        Synth::FrictionBody body;
        double minSpread; // a pulse train at a steady rate has none
    };
    const Case cases[] = {
        {"DoorPushedSlowly", 0.2, Synth::doorWood(), 0.25},
        {"DoorPushedHard", 0.8, Synth::doorWood(), 0.25},
        {"HeavyDoor", 0.5, Synth::doorWood(0.55), 0.25},
        {"HingePin", 0.5, Synth::hingePin(), 0.12},
        {"Floorboard", 0.6, Synth::floorboard(), 0.25},
    };
    constexpr double seconds = 3.0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Synth::Rng rng(7);
        const SlipCount got = countSlips(Synth::slipTrain(seconds, {{0, c.speed}}, c.body, rng));
        const double expected = expectedSlips(c.speed, c.body.slipsPerSecond, seconds);
        EXPECT_NEAR(got.slips, expected, 0.2 * expected);
        EXPECT_GT(got.spread, c.minSpread);
    }
}

TEST(StickSlip, AStillDoorIsSilentAndSoIsAWaitBetweenPushes) {
    Synth::Rng rng(3);
    const Synth::Wave still = Synth::stickSlip(1.0, {{0, 0}}, Synth::doorWood(), rng);
    EXPECT_EQ(countSlips(still).slips, 0);

    // Open, wait a second, close: nothing slips while the door stands.
    const Synth::Wave train = Synth::slipTrain(
        3.0, {{0, 0.5}, {0.9, 0.5}, {1.0, 0}, {2.0, 0}, {2.1, 0.5}}, Synth::doorWood(), rng);
    const auto second = std::size_t(Synth::rate);
    const Synth::Wave wait(train.begin() + std::ptrdiff_t(second),
                           train.begin() + std::ptrdiff_t(2 * second));
    EXPECT_EQ(countSlips(wait).slips, 0);
    EXPECT_GT(countSlips(train).slips, 50);
}

} // namespace
