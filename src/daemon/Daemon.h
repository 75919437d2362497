// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ProgramServices.h"

struct ProgramState;

// The house without a screen: every service, started as the stored settings say. The
// servers open as they would at a desktop edition's first show, and the attraction starts
// when asked or when the settings say it starts with the program.
class Daemon {
public:
    // Takes its language from the store first, for the page and what it logs.
    Daemon(ProgramState& state, const PlatformServices& platform);
    Daemon(const Daemon&) = delete;
    Daemon& operator=(const Daemon&) = delete;

    void start(bool startAttraction);

    ProgramServices& services() { return m_services; }

private:
    static ProgramState& withStoredLanguage(ProgramState& state, const PlatformServices& platform);

    ProgramServices m_services;
};
