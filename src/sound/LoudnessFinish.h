// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Every sound of a library is brought to one loudness, so a hum and a footstep of the same act
// are heard alike. A sound whose peak would pass the ceiling on the way there has its peaks
// limited until it arrives; one that would need more than maxLimiting off its loudest peak stops
// at that depth, quieter (a lone sample in silence cannot be made louder at all).
class LoudnessFinish {
public:
    static constexpr double targetLoudness = -20.0; // LUFS
    static constexpr double peakCeiling = -1.0;     // dBFS
    static constexpr double maxLimiting = 40.0;     // dB

    // Mono samples, full scale at +-1, to 16-bit.
    static std::vector<std::int16_t> finish(std::span<const float> wave, int sampleRate);
};
