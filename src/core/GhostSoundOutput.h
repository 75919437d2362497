// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SoundChoice.h"

struct CurrentAct;

// Where an act's sound goes. Plays without waiting for the library to be read.
class GhostSoundOutput {
public:
    virtual ~GhostSoundOutput() = default;
    // Returns the choice as it is played: a specialty or number outside the libraries is
    // brought into range.
    virtual SoundChoice play(const SoundChoice& choice) = 0;
};

// Plays what `act` names and writes the specialty and number played back into it, so the act's
// record (and its log line) reads what was heard.
void playCurrentAct(GhostSoundOutput& output, CurrentAct& act, SoundAmplitude amplitude,
                    bool drawn = false);
