// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Voice.h"

namespace Synth {

// What specialty 0 says: never words, only what a throat does around them.
Wave moan(Rng& rng, double seconds, double fromHz, double toHz, Vowel open = Vowels::oo,
          Vowel close = Vowels::oh);
// Unvoiced syllables and hisses in phrases; pace 1 is a calm whisper.
Wave whisper(Rng& rng, double seconds, double pace = 1.0);
// A bout of "ha"s: each a breath and a vowel, spaced ever wider, falling in pitch and strength,
// and a breath back in at the end.
Wave laugh(Rng& rng, int syllables, double pitchHz, double spacing, Vowel vowel = Vowels::ah);
// Air drawn in, then let out through a slack voice.
Wave sigh(Rng& rng, double seconds, double pitchHz = 170);
// Breathing alone, in and out: no voice at all.
Wave breath(Rng& rng, double seconds, bool in);

} // namespace Synth
