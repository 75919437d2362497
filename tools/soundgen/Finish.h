// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Synth.h"
#include "sound/LoudnessFinish.h"

#include <cstdint>
#include <vector>

namespace Synth {

inline constexpr double targetLoudness = LoudnessFinish::targetLoudness;
inline constexpr double peakCeiling = LoudnessFinish::peakCeiling;
inline constexpr double maxLimiting = LoudnessFinish::maxLimiting;

// Fades the ends so no sound starts or stops with a click, then brings it to the libraries'
// loudness.
std::vector<std::int16_t> finish(Wave wave);

} // namespace Synth
