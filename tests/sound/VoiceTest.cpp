// SPDX-License-Identifier: GPL-3.0-or-later
#include "Voice.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Periodicity {
    std::size_t lag = 0; // samples
    double strength = 0; // normalised autocorrelation there
};

// The strongest repetition between 2.5 and 12 ms (voices from 83 to 400 Hz), over the middle of
// the sound.
Periodicity periodicityOf(const Synth::Wave& wave) {
    const std::size_t from = wave.size() / 4;
    const std::size_t length = wave.size() / 2;
    Periodicity best;
    for (auto lag = std::size_t(0.0025 * Synth::rate); lag <= std::size_t(0.012 * Synth::rate);
         ++lag) {
        double product = 0, a = 0, b = 0;
        for (std::size_t i = from; i < from + length; ++i) {
            product += double(wave[i]) * wave[i + lag];
            a += double(wave[i]) * wave[i];
            b += double(wave[i + lag]) * wave[i + lag];
        }
        const double r = product / std::sqrt(a * b + 1e-30);
        if (r > best.strength)
            best = {lag, r};
    }
    return best;
}

TEST(Voice, SingsAtItsPitchAndAWhisperHasNone) {
    struct Case {
        const char* name;
        double pitchHz;
        double voicing;
        double minStrength, maxStrength;
    };
    const Case cases[] = {
        {"LowMoan", 110, 1.0, 0.6, 1.0},
        {"HighWail", 280, 1.0, 0.6, 1.0},
        {"Whisper", 150, 0.0, 0.0, 0.3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Synth::Utterance u;
        u.seconds = 1.0;
        u.pitch = {{0, c.pitchHz}};
        u.vowels = {{0, Synth::Vowels::ah}};
        u.voicing = {{0, c.voicing}};
        Synth::Rng rng(5);
        const Periodicity p = periodicityOf(Synth::utter(u, rng));
        EXPECT_GE(p.strength, c.minStrength);
        EXPECT_LE(p.strength, c.maxStrength);
        if (c.voicing > 0) { // the jitter and the drift keep it within a few per cent
            EXPECT_NEAR(double(Synth::rate) / double(p.lag), c.pitchHz, 0.04 * c.pitchHz);
        }
    }
}

// A glide must arrive: the second half of a 100 -> 200 Hz moan is higher than its first.
TEST(Voice, FollowsAPitchGlide) {
    Synth::Utterance u;
    u.seconds = 2.0;
    u.pitch = {{0, 100}, {2.0, 200}};
    u.vowels = {{0, Synth::Vowels::oh}};
    Synth::Rng rng(9);
    const Synth::Wave w = Synth::utter(u, rng);
    const Synth::Wave early(w.begin(), w.begin() + std::ptrdiff_t(w.size() / 4));
    const Synth::Wave late(w.end() - std::ptrdiff_t(w.size() / 4), w.end());
    const double earlyHz = double(Synth::rate) / double(periodicityOf(early).lag);
    const double lateHz = double(Synth::rate) / double(periodicityOf(late).lag);
    EXPECT_NEAR(earlyHz, 112.5, 10);
    EXPECT_NEAR(lateHz, 187.5, 15);
}

} // namespace
