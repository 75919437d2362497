// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/MainShowSequence.h"
#include "app/OrderlyShutdown.h"
#include "app/ProgramServices.h"
#include "app/ProgramWindows.h"
#include "core/Language.h"
#include "core/StoreMessageQueue.h"

class ShutdownSignals;

// The running program: its services, then its windows over them, the main window's show sequence
// and the orderly way out. Destroying it destroys the windows in reverse order of creation, then
// the services, each saving its settings.
class Program {
public:
    // Listens to `signalSource`, if given, before the first window loads.
    Program(ProgramState& state, const PlatformServices& platform, Language editionLanguage,
            ShutdownSignals* signalSource = nullptr, ProgramWindows::Observer observer = {});
    // Only after the main loop has returned.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    ProgramServices& services() { return m_services; }
    ProgramWindows& windows() { return m_windows; }

    // Shows the main window once the event loop runs; the splash comes first.
    void start();
    // Ends the program as its exit command does (used for SIGTERM, SIGINT and SIGHUP).
    void requestShutdown() { m_shutdown.request(); }

private:
    bool m_started = false;
    // Before the windows: it must outlive their saves, and hear a signal during their loading.
    OrderlyShutdown m_shutdown;
    StoreMessageQueue m_storeMessages;
    PlatformServices m_platform;
    ProgramServices m_services;
    ProgramWindows m_windows;
    MainShowSequence m_showSequence;
};
