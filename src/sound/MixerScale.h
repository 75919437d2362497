// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Mixer values for stereo levels 0..100, scaled so that `valueMax` maps to the full 0..65535
// scale. The arithmetic is extended precision with halves rounded to even, which is what makes
// level 50 give 32767 and not 32768. Values may exceed 65535 when valueMax is below a level.
struct MixerValues {
    qint64 left = 0;
    qint64 right = 0;
    bool operator==(const MixerValues&) const = default;
};

// The range valueMax is brought into before it scales.
constexpr qint32 LowestValueMax = 1;
constexpr qint32 HighestValueMax = 100;

// valueMax is brought into LowestValueMax..HighestValueMax first (and written back).
MixerValues scaleLevels(qint32& valueMax, int leftLevel, int rightLevel);

// What the mixer accepts: 0..65535.
quint16 clampToMixer(qint64 value);
