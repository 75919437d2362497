#pragma once

#include "Synth.h"

#include <cstdint>
#include <vector>

namespace Synth {

// Every finished sound is brought to one loudness, so a hum and a footstep of the same act are
// heard alike; a sound whose peak would pass the ceiling stays quieter instead.
inline constexpr double targetLoudness = -20.0; // LUFS
inline constexpr double peakCeiling = -1.0;     // dBFS
std::vector<std::int16_t> finish(Wave wave);

} // namespace Synth
