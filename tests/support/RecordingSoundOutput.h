// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/GhostSoundOutput.h"

#include <optional>
#include <string>
#include <vector>

// Records what an act or a test label asked to play, in order, and answers with the choice as
// asked, or as `answer` says it was played.
struct RecordingSoundOutput : GhostSoundOutput {
    SoundChoice play(const SoundChoice& choice) override {
        played.push_back(choice);
        calls.push_back(choice.amplitude == SoundAmplitude::Half ? "play half" : "play full");
        return answer.value_or(choice);
    }
    std::vector<SoundChoice> played;
    std::vector<std::string> calls;
    std::optional<SoundChoice> answer;
};
