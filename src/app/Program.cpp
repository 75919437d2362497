// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Program.h"

#include "core/MessageBoxes.h"
#include "core/SettingsStore.h"
#include "core/StoreAccess.h"
#include "mainwindow/TfmMain.h"

#include <QApplication>
#include <QTimer>

namespace {

PlatformServices withMessages(PlatformServices platform, MessageBoxes* messages) {
    if (platform.messages)
        platform.messages = messages;
    return platform;
}

// Told once, before anything loads; the windows then quietly use their defaults.
const PlatformServices& reportUnusableStore(const PlatformServices& platform) {
    if (platform.store && !platform.store->isAvailable() && platform.messages)
        platform.messages->showError(unusableStoreMessage(*platform.store));
    return platform;
}

} // namespace

Program::Program(ProgramState& state, const PlatformServices& platform, Language editionLanguage,
                 ShutdownSignals* signalSource, ProgramWindows::Observer observer)
    : m_shutdown([this] { return !m_started || m_showSequence.running(); }, signalSource)
    , m_storeMessages(platform.store, platform.messages)
    , m_platform(withMessages(reportUnusableStore(platform), &m_storeMessages))
    , m_services(state, m_platform, [] { QApplication::beep(); })
    , m_windows(state, m_platform, m_services, editionLanguage, std::move(observer))
    , m_showSequence(m_windows, state, requireService(platform.desktop, "The program", "desktop")) {
    m_shutdown.setMainWindow(m_windows.fmMain);
    m_showSequence.setEndingCheck([this] { return m_shutdown.requested(); });
    m_windows.fmMain->setShowSequence([this] { return m_showSequence.run(); });
}

Program::~Program() {
    m_shutdown.mainLoopEnded();
}

void Program::start() {
    m_started = true;
    QTimer::singleShot(0, m_windows.fmMain, &TfmMain::ShowMainWindow);
}
