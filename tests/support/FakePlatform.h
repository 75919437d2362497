// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PlatformServices.h"
#include "support/FakeDesktop.h"
#include "support/FakeDesktopShell.h"
#include "support/FakePointer.h"
#include "support/FixedClock.h"
#include "support/RecordingMessageBoxes.h"
#include "support/ScriptedRandom.h"
#include "widgetkit/KeyToggleTracker.h"

// Every platform service a window may need, as a fake that records what was asked of it. The
// store, the sound player and the mixer are the test's own choice.
struct FakePlatform {
    RecordingMessageBoxes messages;
    FakeDesktop desktop{1280};
    KeyToggleTracker deleteKey{Qt::Key_Delete};
    FixedClock clock;
    ScriptedRandom random;
    FakePointer pointer;
    FakeDesktopShell shell;

    PlatformServices services(SettingsStore* store = nullptr) {
        return {.store = store,
                .messages = &messages,
                .desktop = &desktop,
                .deleteKey = &deleteKey,
                .clock = &clock,
                .random = &random,
                .pointer = &pointer,
                .shell = &shell};
    }
};
