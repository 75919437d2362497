// SPDX-License-Identifier: GPL-3.0-or-later
#include "Finish.h"

namespace Synth {

std::vector<std::int16_t> finish(Wave wave) {
    fade(wave, 0.003, 0.02);
    return LoudnessFinish::finish(wave, rate);
}

} // namespace Synth
