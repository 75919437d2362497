// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/SoundLibraryError.h"

// A wave image too short for its RIFF header to be checked.
class EErrorCheckingWave : public SoundLibraryError {
public:
    EErrorCheckingWave()
        : SoundLibraryError(Kind::CheckingWave, "GetWaveData: Cannot open file %s") {}
};
