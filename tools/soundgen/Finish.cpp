#include "Finish.h"

#include "sound/LoudnessMeter.h"

#include <algorithm>
#include <cmath>

namespace Synth {

std::vector<std::int16_t> finish(Wave wave) {
    fade(wave, 0.003, 0.02);
    float highest = 0;
    for (float s : wave)
        highest = std::max(highest, std::abs(s));
    if (highest == 0)
        return std::vector<std::int16_t>(wave.size(), 0);
    double gain = std::pow(10.0, peakCeiling / 20.0) / highest;
    // Too short to measure (under 400 ms) is left as loud as its peak allows.
    const double loudness = LoudnessMeter::integratedLoudness(wave, rate);
    if (std::isfinite(loudness))
        gain = std::min(gain, std::pow(10.0, (targetLoudness - loudness) / 20.0));
    std::vector<std::int16_t> out(wave.size());
    for (std::size_t i = 0; i < wave.size(); ++i)
        out[i] = std::int16_t(std::lround(std::clamp(wave[i] * gain * 32767.0, -32767.0, 32767.0)));
    return out;
}

} // namespace Synth
