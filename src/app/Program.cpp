#include "app/Program.h"

#include "mainwindow/TfmMain.h"

#include <QTimer>

Program::Program(ProgramState& state, const PlatformServices& platform, int editionLanguage,
                 ProgramWindows::Observer observer)
    : m_windows(state, platform, editionLanguage, std::move(observer))
    , m_showSequence(m_windows, state, requireService(platform.desktop, "The program", "desktop"))
    , m_shutdown(m_windows.fmMain, [this] { return m_showSequence.running(); }) {
    m_showSequence.setEndingCheck([this] { return m_shutdown.requested(); });
    m_windows.fmMain->setShowSequence([this] { return m_showSequence.run(); });
}

void Program::start() {
    QTimer::singleShot(0, m_windows.fmMain, &TfmMain::ShowMainWindow);
}
