// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/GhostSoundOutput.h"

#include <string>
#include <vector>

// Records what an act or a test label asked of the sound window, in order.
struct RecordingSoundOutput : GhostSoundOutput {
    void LoadGhostLibrary() override { calls.push_back("load"); }
    void PlayGhostSound(SoundAmplitude amplitude) override {
        calls.push_back(amplitude == SoundAmplitude::Half ? "play half" : "play full");
    }
    std::vector<std::string> calls;
};
