// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

// Holds a sound's peaks at a ceiling by turning its level down around them, so a knock can be
// made as loud as a hum without its first milliseconds clipping. The gain starts to fall one
// look-ahead before a peak, reaches its depth on the peak, and climbs back at the release's pace:
// a gain that followed the wave cycle by cycle would distort it.
class PeakLimiter {
public:
    static constexpr double lookahead = 0.002; // seconds
    static constexpr double release = 0.01;    // seconds for the gain to regain 63 % of a dip

    // Leaves every sample within +-ceiling; a wave already within it comes back unchanged.
    static void limit(std::span<float> wave, double ceiling, int sampleRate);
};
