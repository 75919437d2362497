// SPDX-License-Identifier: GPL-3.0-or-later
#include "Room.h"

#include <algorithm>
#include <cmath>

namespace Synth {

namespace {

double energyOf(const Wave& wave) {
    double sum = 0;
    for (float s : wave)
        sum += double(s) * double(s);
    return sum;
}

// Walls, floor, ceiling and furniture within a few metres: a handful of echoes, each duller and
// weaker than the last, too close together to be heard one by one.
Wave earlyReflections(const Wave& dry, double size) {
    struct Tap {
        double milliseconds;
        double gain;
    };
    constexpr Tap taps[] = {{5.1, 0.72},  {8.3, 0.61},  {11.9, -0.53}, {14.6, 0.45},
                            {18.7, -0.4}, {23.3, 0.33}, {27.9, 0.27}};
    Biquad absorbed = Biquad::lowpass(6000);
    Wave dull(dry.size());
    for (std::size_t i = 0; i < dry.size(); ++i)
        dull[i] = absorbed(dry[i]);
    Wave out(dry.size(), 0.0f);
    for (const Tap& tap : taps) {
        const std::size_t delay = samples(tap.milliseconds * size / 1000.0);
        for (std::size_t i = delay; i < out.size(); ++i)
            out[i] += float(tap.gain * dull[i - delay]);
    }
    return out;
}

// A Schroeder reverberator: parallel combs that lose their highs on every round (air and soft
// furnishings), then two all-passes that smear the combs' echoes into a wash.
Wave diffuseTail(const Wave& in, double seconds, double size) {
    Wave out(in.size(), 0.0f);
    for (double milliseconds : {31.1, 35.3, 39.7, 44.9}) {
        const std::size_t delay = std::max<std::size_t>(1, samples(milliseconds * size / 1000.0));
        const double feedback =
            std::pow(10.0, -3.0 * double(delay) / rate / std::max(seconds, 0.05));
        std::vector<float> line(delay, 0.0f);
        Biquad damping = Biquad::lowpass(4500);
        for (std::size_t i = 0; i < in.size(); ++i) {
            const float delayed = line[i % delay];
            out[i] += delayed;
            line[i % delay] = float(in[i] + feedback * damping(delayed));
        }
    }
    for (double milliseconds : {5.0, 1.7}) {
        const std::size_t delay = std::max<std::size_t>(1, samples(milliseconds / 1000.0));
        constexpr double g = 0.6;
        std::vector<float> line(delay, 0.0f);
        for (std::size_t i = 0; i < out.size(); ++i) {
            const double delayed = line[i % delay];
            const double x = out[i];
            const double v = x + g * delayed;
            line[i % delay] = float(v);
            out[i] = float(delayed - g * v);
        }
    }
    return out;
}

} // namespace

void placeInRoom(Wave& wave, const Room& room) {
    const double distance = std::clamp(room.distance, 0.0, 1.0);
    // Half the reverberation time is where the tail has fallen by 30 dB under the sound.
    wave.resize(wave.size() + samples(0.5 * room.tail), 0.0f);
    const double dryEnergy = energyOf(wave);
    if (dryEnergy == 0)
        return;

    // A sound from the next room reaches us with its highs worn off.
    Biquad air = Biquad::lowpass(std::min(0.45 * rate, 16000.0 - 12000.0 * distance));
    Wave direct(wave.size());
    for (std::size_t i = 0; i < wave.size(); ++i)
        direct[i] = air(wave[i]);

    const Wave early = earlyReflections(direct, room.size);
    Wave reflected = diffuseTail(early, room.tail, room.size);
    for (std::size_t i = 0; i < reflected.size(); ++i)
        reflected[i] = float(0.5 * early[i] + 0.5 * reflected[i]);

    // Mixed by energy, so that `wet` is the share of reflected sound whatever the filters did.
    const double wet = std::clamp(room.wet + 0.4 * distance, 0.0, 0.9);
    const double directEnergy = energyOf(direct);
    const double reflectedEnergy = energyOf(reflected);
    const double directGain =
        directEnergy > 0 ? std::sqrt((1 - wet) * dryEnergy / directEnergy) : 0;
    const double reflectedGain =
        reflectedEnergy > 0 ? std::sqrt(wet * dryEnergy / reflectedEnergy) : 0;
    for (std::size_t i = 0; i < wave.size(); ++i)
        wave[i] = float(directGain * direct[i] + reflectedGain * reflected[i]);
}

} // namespace Synth
