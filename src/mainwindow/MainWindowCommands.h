// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's commands that the menus, the tray icon and the window's own buttons reach.
class MainWindowCommands {
public:
    // The windows OpenDialog opens, each behind its own label command.
    enum class Dialog { Ghost, Nastr, WebServer, Net, Sound, Home, Sounds, Schedule };

    virtual ~MainWindowCommands() = default;

    virtual void Sb_CloseClick() = 0;
    virtual void Sb_MinClick() = 0;
    virtual void TrayIconDblClick() = 0;
    virtual void Sb_HelpClick() = 0;
    // The program's page.
    virtual void Sb_InternetClick() = 0;
    virtual void openProductSitePage() = 0;
    virtual void OpenDialog(Dialog dialog) = 0;
};
