// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

struct StereoLevels {
    int left = 0;
    int right = 0;
    bool operator==(const StereoLevels&) const = default;
};

// Steps a stereo effect every 100 ms: 0 middle, 1 left, 2 right take hold at once; 3 (right to
// left) and 4 (left to right) sweep across over 30 seconds and fade out.
class StereoEffect {
public:
    static constexpr int SweepEnd = 300;

    struct Step {
        std::optional<StereoLevels> levels; // levels to set on this tick, if any
        bool timerRuns = true;              // false: the effect is over
    };

    Step tick(int effect);

    // Ticks of the running sweep; only a sweep's end (and the diagnostics window) resets it, so a
    // new sweep started meanwhile goes on from here.
    int SweepTick = 0;

private:
    Step sweepTick(bool rightToLeft);
};
