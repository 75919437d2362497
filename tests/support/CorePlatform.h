// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PlatformServices.h"
#include "support/FixedClock.h"
#include "support/RecordingMessageBoxes.h"
#include "support/ScriptedRandom.h"

// The platform a service without windows needs, as fakes; the store is the test's choice.
struct CorePlatform {
    RecordingMessageBoxes messages;
    FixedClock clock;
    ScriptedRandom random;

    PlatformServices services(SettingsStore* store = nullptr) {
        return {.store = store, .messages = &messages, .clock = &clock, .random = &random};
    }
};
