// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// How loud an act plays: a ghost with a low voice plays at half amplitude.
enum class SoundAmplitude { Full, Half };

// One sound an act asks for, named as CurrentAct names it.
struct SoundChoice {
    qint32 Special = 0;      // library number; outside 0..5 plays the libraries of 0
    qint32 SoundKind = 0;    // 0 long ("b" library), otherwise short ("m")
    qint32 SoundNumber = 0;  // 0..9 within the library; outside plays sound 0
    qint32 StereoEffect = 0; // 0 middle, 1 left, 2 right, 3 and 4 sweeps
    SoundAmplitude amplitude = SoundAmplitude::Full;
    // An act's random number, which an own library of another size draws again among its sounds;
    // a fixed number (a test play) wraps round a smaller one instead.
    bool drawn = false;

    bool operator==(const SoundChoice&) const = default;
};
