// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/StereoEffect.h"

StereoEffect::Step StereoEffect::tick(int effect) {
    switch (effect) {
    case 0:
        return {StereoLevels{50, 50}, false};
    case 1:
        return {StereoLevels{50, 0}, false};
    case 2:
        return {StereoLevels{0, 50}, false};
    case 3:
        return sweepTick(true);
    case 4:
        return sweepTick(false);
    default:
        return {std::nullopt, false}; // nothing to step
    }
}

StereoEffect::Step StereoEffect::sweepTick(bool rightToLeft) {
    const int t = ++SweepTick;
    // Written as (left, right) for the sweep from right to left; the other one mirrors it.
    const auto levels = [rightToLeft](int left, int right) {
        return rightToLeft ? StereoLevels{left, right} : StereoLevels{right, left};
    };
    if (t == 1)
        return {levels(0, 50)};
    if (t >= 51 && t <= 100)
        return {levels(t - 50, 100 - t)};
    if (t >= 251 && t < SweepEnd)
        return {levels(300 - t, 0)};
    if (t >= SweepEnd) {
        SweepTick = 0;
        return {StereoLevels{0, 0}, false};
    }
    return {};
}
