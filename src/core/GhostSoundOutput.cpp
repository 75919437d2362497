// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/GhostSoundOutput.h"

#include "core/CurrentAct.h"

void playCurrentAct(GhostSoundOutput& output, CurrentAct& act, SoundAmplitude amplitude,
                    bool drawn) {
    const SoundChoice played = output.play(
        {act.Special, act.SoundKind, act.SoundNumber, act.StereoEffect, amplitude, drawn});
    act.Special = played.Special;
    act.SoundNumber = played.SoundNumber;
}
