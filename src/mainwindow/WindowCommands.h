// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"
#include "mainwindow/DialogHandle.h"
#include "mainwindow/MainWindowCommands.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>

class DesktopShell;
class MainWindowHost;
class TrayArea;
struct ProgramState;

// The main window's commands: exit, minimise to the tray and back, help, the web pages, and
// OpenDialog for the six windows reached from the main window.
class WindowCommands : public MainWindowCommands {
public:
    struct Places {
        // Where the help files and pages may be, in the order they are looked in.
        QStringList dataDirs;
        // Asked at each help command; the process's current directory in the program.
        std::function<QString()> currentDir;
    };

    WindowCommands(MainWindowHost& host, TrayArea& tray, DesktopShell& shell,
                   const ProgramState& state, Places places);

    void setDialog(Dialog dialog, DialogHandle handle);

    void Sb_CloseClick() override;
    void Sb_MinClick() override;
    void TrayIconDblClick() override;
    void Sb_HelpClick() override;
    void Sb_InternetClick() override;
    void openProductSitePage() override;
    void OpenDialog(Dialog dialog) override;

    // "Help_e.txt" or "Help_r.txt" for the language, found in `currentDir` first and then in
    // `dataDirs`; empty when none holds it or the language has no help.
    static QString HelpFile(Language language, const QString& currentDir,
                            const QStringList& dataDirs);
    // The page for the language from the first of `dataDirs` that has it; empty when none has it
    // or the language has no pages.
    static QString pageFile(const QString& page, Language language, const QStringList& dataDirs);

private:
    void openPage(const QString& page);

    MainWindowHost& m_host;
    TrayArea& m_tray;
    DesktopShell& m_shell;
    const ProgramState& m_state;
    Places m_places;
    std::array<DialogHandle, 8> m_dialogs;
};
