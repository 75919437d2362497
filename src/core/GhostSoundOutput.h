// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How loud an act plays: a ghost with a low voice plays at half amplitude.
enum class SoundAmplitude { Full, Half };

// Where an act's sound goes: loads the library that CurrentAct names, then plays from it.
class GhostSoundOutput {
public:
    virtual ~GhostSoundOutput() = default;
    virtual void LoadGhostLibrary() = 0;
    virtual void PlayGhostSound(SoundAmplitude amplitude) = 0;
};
