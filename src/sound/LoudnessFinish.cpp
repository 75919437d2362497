// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoudnessFinish.h"

#include "LoudnessMeter.h"
#include "PeakLimiter.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace {

using Wave = std::vector<float>;

constexpr double targetLoudness = LoudnessFinish::targetLoudness;
constexpr double peakCeiling = LoudnessFinish::peakCeiling;

// The aim; what a library promises a listener is within 1 LU.
constexpr double loudnessTolerance = 0.02; // LU
constexpr int searchRounds = 40;
constexpr double narrowestBracket = 0.001; // dB

double gainOf(double db) {
    return std::pow(10.0, db / 20.0);
}

std::vector<std::int16_t> toPcm16(std::span<const float> wave, double gain) {
    std::vector<std::int16_t> out(wave.size());
    for (std::size_t i = 0; i < wave.size(); ++i)
        out[i] = std::int16_t(std::lround(std::clamp(wave[i] * gain * 32767.0, -32767.0, 32767.0)));
    return out;
}

struct Try {
    double gainDb;
    double loudness;
    Wave wave;
};

Try amplifiedAndLimited(std::span<const float> wave, int rate, double gainDb) {
    const double gain = gainOf(gainDb);
    Wave out(wave.size());
    for (std::size_t i = 0; i < wave.size(); ++i)
        out[i] = float(wave[i] * gain);
    PeakLimiter::limit(out, gainOf(peakCeiling), rate);
    return {gainDb, LoudnessMeter::integratedLoudness(out, rate), std::move(out)};
}

// Limiting takes back part of every rise in gain, never more: the loudness climbs at most one LU
// a dB. So the first try, at the gain the unlimited sound would need, falls short, and so does a
// further rise by the shortfall; dividing the shortfall by the slope of the last two tries gets
// there in a few rounds. Once a try lands above, the answer is bracketed.
Try limitedToTarget(std::span<const float> wave, int rate, double firstGainDb,
                    double deepestGainDb) {
    std::optional<Try> below;
    std::optional<Try> above;
    double slope = 1.0;
    double gainDb = firstGainDb;
    for (int round = 0; round < searchRounds; ++round) {
        Try tried = amplifiedAndLimited(wave, rate, gainDb);
        if (std::abs(tried.loudness - targetLoudness) <= loudnessTolerance)
            return tried;
        if (tried.loudness < targetLoudness) {
            if (below)
                slope = std::clamp(
                    (tried.loudness - below->loudness) / (tried.gainDb - below->gainDb), 0.05, 1.0);
            below = std::move(tried);
        } else {
            above = std::move(tried);
        }

        if (below && above) {
            // The relative gate can make the loudness jump as a block crosses it: no gain lands
            // closer than the nearer side of a bracket this narrow.
            if (above->gainDb - below->gainDb < narrowestBracket)
                break;
            gainDb = below->gainDb + (above->gainDb - below->gainDb) *
                                         (targetLoudness - below->loudness) /
                                         (above->loudness - below->loudness);
        } else if (below) {
            gainDb =
                std::min(below->gainDb + (targetLoudness - below->loudness) / slope, deepestGainDb);
            if (gainDb <= below->gainDb)
                return std::move(*below);
        } else {
            gainDb = above->gainDb - (above->loudness - targetLoudness);
        }
    }
    if (!below)
        return std::move(*above);
    if (!above)
        return std::move(*below);
    const bool belowIsCloser = targetLoudness - below->loudness <= above->loudness - targetLoudness;
    return std::move(belowIsCloser ? *below : *above);
}

} // namespace

std::vector<std::int16_t> LoudnessFinish::finish(std::span<const float> wave, int rate) {
    float highest = 0;
    for (float s : wave)
        highest = std::max(highest, std::abs(s));
    if (highest == 0)
        return std::vector<std::int16_t>(wave.size(), 0);
    const double peakGain = gainOf(peakCeiling) / highest;
    // Too short to measure (under 400 ms) is left as loud as its peak allows.
    const double loudness = LoudnessMeter::integratedLoudness(wave, rate);
    if (!std::isfinite(loudness))
        return toPcm16(wave, peakGain);
    // Hums and tones get there on gain alone, untouched by the limiter.
    const double loudnessGain = gainOf(targetLoudness - loudness);
    if (loudnessGain <= peakGain)
        return toPcm16(wave, loudnessGain);
    const double peakGainDb = 20.0 * std::log10(peakGain);
    const Try limited =
        limitedToTarget(wave, rate, targetLoudness - loudness, peakGainDb + maxLimiting);
    return toPcm16(limited.wave, 1.0);
}
