#pragma once

#include "app/MainShowSequence.h"
#include "app/OrderlyShutdown.h"
#include "app/ProgramWindows.h"

// The running program: its windows, the main window's show sequence and the orderly way out.
// Destroying it destroys the windows in reverse order of creation, each saving its settings.
class Program {
public:
    Program(ProgramState& state, const PlatformServices& platform, int editionLanguage,
            ProgramWindows::Observer observer = {});

    ProgramWindows& windows() { return m_windows; }

    // Shows the main window once the event loop runs; the splash comes first.
    void start();
    // Ends the program as its exit command does (used for SIGTERM and SIGINT).
    void requestShutdown() { m_shutdown.request(); }

private:
    ProgramWindows m_windows;
    MainShowSequence m_showSequence;
    OrderlyShutdown m_shutdown;
};
