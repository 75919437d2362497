// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"
#include "core/OpenDialogs.h"

// The program-wide flags that several windows read. Each has one writer: InterfaceLanguage the
// splash (edition default) and the language commands, AttractionRunning the attraction,
// DialogOpen the dialogs (each counts itself in and out), SplashShown the splash, WebServerRunning
// the web access window.
struct ProgramState {
    Language InterfaceLanguage = Language::English;
    bool AttractionRunning = false;
    OpenDialogs DialogOpen;
    bool SplashShown = false;
    bool WebServerRunning = false;
};
