// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Synth.h"

#include <cstdint>
#include <vector>

namespace Synth {

// Every finished sound is brought to one loudness, so a hum and a footstep of the same act are
// heard alike. A sound whose peak would pass the ceiling on the way there has its peaks limited
// until it arrives; one that would need more than maxLimiting off its loudest peak stops at that
// depth, quieter (a lone sample in silence cannot be made louder at all).
inline constexpr double targetLoudness = -20.0; // LUFS
inline constexpr double peakCeiling = -1.0;     // dBFS
inline constexpr double maxLimiting = 40.0;     // dB
std::vector<std::int16_t> finish(Wave wave);

} // namespace Synth
