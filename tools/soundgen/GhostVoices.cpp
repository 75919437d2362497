// SPDX-License-Identifier: GPL-3.0-or-later
#include "GhostVoices.h"

#include <array>

namespace Synth {

namespace {

// Parts of a voice are built at whatever level the formants give; bring them to one.
Wave levelled(Wave wave, double peak) {
    normalize(wave, peak);
    return wave;
}

} // namespace

Wave moan(Rng& rng, double seconds, double fromHz, double toHz, Vowel open, Vowel close) {
    Utterance u;
    u.seconds = seconds;
    // A moan sags in the middle and recovers rather than gliding in a straight line.
    const double middle = 0.5 * (fromHz + toHz);
    u.pitch = {{0, fromHz * 0.97},
               {0.3 * seconds, fromHz},
               {0.6 * seconds, middle * rng.range(0.93, 0.98)},
               {seconds, toHz}};
    u.vowels = {
        {0, Vowels::mm}, {0.25 * seconds, open}, {0.7 * seconds, close}, {seconds, Vowels::mm}};
    u.loudness = {{0, 0}, {0.3 * seconds, 1}, {0.65 * seconds, 0.8}, {seconds, 0}};
    u.voicing = {{0, 0.5}, {0.2 * seconds, 1}, {0.8 * seconds, 0.85}, {seconds, 0.3}};
    u.breath = 0.35;
    u.jitter = 0.012;
    u.shimmer = 0.1;
    u.drift = 0.04;
    return utter(u, rng);
}

Wave whisper(Rng& rng, double seconds, double pace) {
    static constexpr std::array<Vowel, 6> shapes = {Vowels::ah, Vowels::ee, Vowels::oo,
                                                    Vowels::eh, Vowels::uh, Vowels::oh};
    Utterance u;
    u.seconds = seconds;
    u.voicing = {{0, 0}};
    u.loudness = {{0, 0}};
    Wave hisses = silence(seconds);
    double t = 0.05;
    while (t < seconds - 0.25) {
        const double length = rng.range(0.1, 0.25) / pace;
        const Vowel shape = shapes[std::size_t(rng.uniform() * double(shapes.size()))];
        u.vowels.emplace_back(t, shape);
        u.vowels.emplace_back(t + 0.7 * length, shape);
        u.loudness.emplace_back(t, 0.05);
        u.loudness.emplace_back(t + 0.3 * length, rng.range(0.5, 1.0));
        u.loudness.emplace_back(t + length, 0.05);
        // Now and then an "s" or a "sh" before the syllable.
        if (rng.uniform() < 0.35) {
            const double sharp = rng.uniform() < 0.5 ? 6500 : 3200;
            mix(hisses, burst(0.1, 0.035, 0.05, Biquad::bandpass(sharp, 1.2), rng),
                std::max(0.0, t - 0.06), rng.range(0.5, 1.0));
        }
        // Phrases: a few syllables run together, then a pause for breath.
        t += length + (rng.uniform() < 0.25 ? rng.range(0.15, 0.35) : rng.range(0.0, 0.04));
    }
    u.loudness.emplace_back(t, 0);
    Wave w = levelled(utter(u, rng), 1.0);
    mix(w, levelled(hisses, 0.3), 0);
    return w;
}

Wave laugh(Rng& rng, int syllables, double pitchHz, double spacing, Vowel vowel) {
    Wave w = silence(syllables * spacing * 1.5 + 0.8);
    double t = 0;
    double gap = spacing;
    double strength = 1.0;
    for (int k = 0; k < syllables; ++k) {
        const double length = gap * rng.range(0.5, 0.65);
        const double p = pitchHz * (1.0 - 0.035 * k) * rng.range(0.95, 1.05);
        Utterance ha;
        ha.seconds = length;
        ha.pitch = {{0, p * 1.08}, {length, p * 0.88}};
        ha.vowels = {{0, vowel}};
        // The "h": breath alone for the first few hundredths of a second.
        ha.voicing = {{0.025, 0}, {0.05, 1}, {length, 0.7}};
        ha.loudness = {{0, 0.3}, {0.04, 1}, {0.6 * length, 0.8}, {length, 0}};
        ha.breath = 0.45;
        ha.jitter = 0.02;
        ha.shimmer = 0.15;
        mix(w, levelled(utter(ha, rng), 1.0), t, strength * rng.range(0.85, 1.0));
        t += gap;
        gap *= rng.range(1.02, 1.09);
        strength *= 0.93;
    }
    // The breath back in is much softer than the laugh it ends.
    mix(w, levelled(breath(rng, 0.45, true), 0.12), t + 0.05);
    w.resize(samples(t + 0.55), 0.0f);
    return w;
}

Wave sigh(Rng& rng, double seconds, double pitchHz) {
    const double in = 0.3 * seconds;
    const double out = seconds - in;
    Utterance u;
    u.seconds = out;
    u.pitch = {{0, pitchHz}, {0.4 * out, pitchHz * 0.85}, {out, pitchHz * 0.62}};
    u.vowels = {{0, Vowels::ah}, {0.5 * out, Vowels::uh}, {out, Vowels::mm}};
    u.voicing = {{0, 0.15}, {0.2 * out, 0.7}, {0.7 * out, 0.4}, {out, 0}};
    u.loudness = {{0, 0}, {0.15 * out, 1}, {0.6 * out, 0.6}, {out, 0}};
    u.breath = 0.8;
    u.jitter = 0.02;
    u.shimmer = 0.12;
    Wave w = silence(seconds);
    mix(w, levelled(breath(rng, in, true), 0.3), 0);
    mix(w, levelled(utter(u, rng), 1.0), in);
    return w;
}

Wave breath(Rng& rng, double seconds, bool in) {
    Utterance u;
    u.seconds = seconds;
    u.voicing = {{0, 0}};
    // Drawn in through a narrow mouth it is higher and sharper than let out.
    u.vowels = in ? std::vector<std::pair<double, Vowel>>{{0, Vowels::ee}, {seconds, Vowels::eh}}
                  : std::vector<std::pair<double, Vowel>>{{0, Vowels::ah}, {seconds, Vowels::uh}};
    u.loudness = in ? Curve{{0, 0}, {0.7 * seconds, 1}, {seconds, 0}}
                    : Curve{{0, 0}, {0.2 * seconds, 1}, {seconds, 0}};
    return utter(u, rng);
}

} // namespace Synth
