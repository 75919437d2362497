// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainShowSequence.h"

#include "app/ProgramServices.h"
#include "app/ProgramWindows.h"
#include "app/TfmLogo.h"
#include "core/Desktop.h"
#include "core/ProgramState.h"
#include "ghosts/TfmGhost.h"
#include "language/TfmHelp.h"
#include "mainwindow/TfmMain.h"
#include "net/TfmNet.h"
#include "sound/TfmSound.h"

#include <QScopedValueRollback>

MainShowSequence::MainShowSequence(ProgramWindows& windows, ProgramState& state,
                                   const Desktop& desktop)
    : m_windows(windows)
    , m_state(state)
    , m_desktop(desktop) {}

bool MainShowSequence::run() {
    QScopedValueRollback<bool> guard(m_running, true);
    if (m_ending && m_ending())
        return false;
    const bool firstShow = !m_state.SplashShown;
    if (!m_state.SplashShown)
        m_windows.fmLogo->ShowSplash(m_desktop.availableArea());
    if (m_ending && m_ending())
        return false;
    m_state.DialogOpen.reset();
    m_windows.fmNet->hide();
    m_windows.fmSound->hide();
    m_windows.fmGhost->hide();
    m_windows.fmHelp->ApplyLanguage();

    TfmMain* main = m_windows.fmMain;
    main->placeOnDesktop(m_desktop.availableArea());
    main->setAttractionIndicator(false);
    m_windows.fmGhost->selectFirstGhost();
    main->PlaceMainControls();
    main->hidePresentationLabels();
    if (m_windows.fmLogo->firstRun()) {
        m_windows.fmLogo->presentationUsedUp();
        main->StartPresentation();
    } else {
        main->ShowGhostImages();
    }
    main->RefreshQuickPanels();
    if (firstShow)
        m_windows.services().startWhatIsWanted();
    return true;
}
