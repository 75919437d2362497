// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/WindowCommands.h"

#include "core/DesktopShell.h"
#include "core/ProgramState.h"
#include "mainwindow/MainWindowHost.h"
#include "mainwindow/TrayArea.h"

#include <QDir>
#include <QFileInfo>

namespace {

// File-name suffix of a language: "e" English, "r" Russian.
QString LanguageSuffix(Language language) {
    switch (language) {
    case Language::English:
        return QStringLiteral("e");
    case Language::Russian:
        return QStringLiteral("r");
    }
    return {};
}

// The first of `dirs` that holds the file `name`, as an absolute path; empty if none does.
QString firstFile(const QString& name, const QStringList& dirs) {
    for (const QString& dir : dirs) {
        if (dir.isEmpty())
            continue;
        const QFileInfo file(QDir(dir).filePath(name));
        if (file.isFile())
            return file.absoluteFilePath();
    }
    return {};
}

} // namespace

WindowCommands::WindowCommands(MainWindowHost& host, TrayArea& tray, DesktopShell& shell,
                               const ProgramState& state, Places places)
    : m_host(host)
    , m_tray(tray)
    , m_shell(shell)
    , m_state(state)
    , m_places(std::move(places)) {}

void WindowCommands::setDialog(Dialog dialog, DialogHandle handle) {
    m_dialogs.at(static_cast<size_t>(dialog)) = std::move(handle);
}

void WindowCommands::Sb_CloseClick() {
    m_host.closeMainWindow();
}

void WindowCommands::Sb_MinClick() {
    // Hidden without an icon to bring it back, the window would be lost to the user.
    if (!m_tray.isAvailable())
        return;
    m_tray.setActive(true);
    m_host.hideMainWindow();
}

void WindowCommands::TrayIconDblClick() {
    m_host.ShowMainWindow();
    m_tray.setActive(false);
}

QString WindowCommands::HelpFile(Language language, const QString& currentDir,
                                 const QStringList& dataDirs) {
    const QString suffix = LanguageSuffix(language);
    if (suffix.isEmpty())
        return {};
    // The current directory first, as a relative name always was; the program's own folders
    // make help work when the program is started from elsewhere.
    return firstFile(QStringLiteral("Help_%1.txt").arg(suffix), QStringList{currentDir} + dataDirs);
}

QString WindowCommands::pageFile(const QString& page, Language language,
                                 const QStringList& dataDirs) {
    const QString suffix = LanguageSuffix(language);
    if (suffix.isEmpty())
        return {};
    return firstFile(QStringLiteral("%1_%2.html").arg(page, suffix), dataDirs);
}

void WindowCommands::Sb_HelpClick() {
    const QString currentDir = m_places.currentDir ? m_places.currentDir() : QDir::currentPath();
    const QString file = HelpFile(m_state.InterfaceLanguage, currentDir, m_places.dataDirs);
    if (!file.isEmpty())
        m_shell.open(file);
}

void WindowCommands::openPage(const QString& page) {
    const QString file = pageFile(page, m_state.InterfaceLanguage, m_places.dataDirs);
    if (!file.isEmpty())
        m_shell.open(file);
}

void WindowCommands::Sb_InternetClick() {
    openPage(QStringLiteral("ProgramPage"));
}

void WindowCommands::openProductSitePage() {
    openPage(QStringLiteral("ProductSitePage"));
}

void WindowCommands::OpenDialog(Dialog dialog) {
    if (m_state.AttractionRunning)
        return;
    // A copy: the handle may be replaced while its window is up.
    const DialogHandle window = m_dialogs.at(static_cast<size_t>(dialog));
    // A window not built yet: an empty modal stand-in would only hide the close button.
    if (!window.exists())
        return;
    if (window.isVisible()) {
        window.hide();
        return;
    }
    m_host.recentreMainWindow();
    m_host.closeHelpWindow();
    m_host.dialogOpening(dialog);
    window.showModal();
    m_host.dialogClosed(dialog);
    // A minimise under the dialog was held back, as the dialog would have lost its window; left
    // iconified now, the window has no tray icon, and a desktop without a taskbar no way back.
    if (m_host.isMainWindowMinimised())
        Sb_MinClick();
}
