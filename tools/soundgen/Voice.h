// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Synth.h"

#include <utility>
#include <vector>

namespace Synth {

// The first three resonances of a vocal tract, in Hz.
struct Vowel {
    double f1, f2, f3;
};

namespace Vowels {
inline constexpr Vowel oo{300, 870, 2240};
inline constexpr Vowel oh{500, 900, 2400};
inline constexpr Vowel ah{730, 1090, 2440};
inline constexpr Vowel uh{560, 1190, 2390};
inline constexpr Vowel eh{530, 1840, 2480};
inline constexpr Vowel ee{280, 2250, 2890};
inline constexpr Vowel mm{250, 1050, 2300}; // lips closed: the hum of a moan
} // namespace Vowels

// One breath of a voice: no words, only the sounds a throat makes.
struct Utterance {
    double seconds = 1;
    Curve pitch{{0, 120}};                        // Hz
    std::vector<std::pair<double, Vowel>> vowels; // (seconds, shape), glided between
    Curve loudness{{0, 1}};                       // 0..1
    Curve voicing{{0, 1}};                        // 1 a full voice, 0 a whisper
    double breath = 0.15;                         // air through the voice, beside it
    double jitter = 0.01;                         // spread of one period against the next
    double shimmer = 0.08;                        // and of one pulse's strength
    double drift = 0.03;                          // slow wander of the pitch
};

// Formant synthesis: glottal pulses (and air) through three resonances that move from vowel to
// vowel. A real voice never repeats a period exactly; jitter, shimmer and drift keep it from
// sounding like a machine.
Wave utter(const Utterance& voice, Rng& rng);

} // namespace Synth
