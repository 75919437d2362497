// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/MainWindowCommands.h"

// The few things the window commands ask of the main window itself.
class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;
    // Ends the program the orderly way.
    virtual void closeMainWindow() = 0;
    virtual void hideMainWindow() = 0;
    // Shows the window through its show sequence (language, layout, quick panels).
    virtual void ShowMainWindow() = 0;
    // Left := (desktop width − 800) / 2, top := 10.
    virtual void recentreMainWindow() = 0;
    // The language holder is closed before a dialog comes up.
    virtual void closeHelpWindow() = 0;
    // Iconified by the window manager (the taskbar or a minimise key), not hidden to the tray.
    virtual bool isMainWindowMinimised() const = 0;
    // Around each modal dialog, so the window can catch up with what the dialog changed.
    virtual void dialogOpening(MainWindowCommands::Dialog dialog) = 0;
    virtual void dialogClosed(MainWindowCommands::Dialog dialog) = 0;
};
