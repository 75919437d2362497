// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Program.h"
#include "core/ProgramState.h"
#include "support/FakePlatform.h"

#include <QString>

#include <functional>
#include <utility>
#include <vector>

class HidBackendFactory;
class MessageBoxes;
class SettingsStore;
class ShutdownSignals;

// One whole run of the program on a given store: the windows are created, the main window is
// shown (the splash is closed as soon as it is up, as by its close button, unless the run says
// otherwise), `whileRunning` does its part, and the program ends as through its exit command.
struct ProgramRun {
    explicit ProgramRun(SettingsStore& store, int desktopWidth = 1280, int editionLanguage = 0);

    // `whileRunning` gets the program once the main window is up; `onSplash` once the splash is
    // up (default: close it). Either may end the program itself; otherwise it is ended after
    // `whileRunning`. Returns false if the run did not end within ten seconds.
    bool run(const std::function<void(Program&)>& whileRunning = {},
             const std::function<void(Program&)>& onSplash = {});

    SettingsStore& store;
    FakePlatform platform;
    RecordingMessageBoxes& messages = platform.messages;
    FakeDesktop& desktop = platform.desktop;
    ProgramState state;
    int editionLanguage;
    ShutdownSignals* signalSource = nullptr; // heard by the program from its first window on
    MessageBoxes* boxes = nullptr;           // instead of `messages`, e.g. real modal boxes
    HidBackendFactory* boards = nullptr;     // USB boards for the splash to find
    std::vector<std::pair<QString, bool>> lifecycle; // form name, created (else destroyed)
    int presentations = 0;
    bool mainWindowShown = false;
};
