#include "ghosts/TfmGhost.h"

#include "ghosts/GhostActor.h"
#include "ghosts/GhostTableStore.h"

TfmGhost::TfmGhost(ProgramState& state, const PlatformServices& platform)
    : QDialog(nullptr, Qt::FramelessWindowHint)
    , m_state(state)
    , m_platform(platform) {
    setObjectName(QStringLiteral("fmGhost"));
    LoadGhostTable();
}

TfmGhost::~TfmGhost() {
    SaveGhostTable();
}

void TfmGhost::GhostAct() {
    if (!m_platform.random || !m_platform.clock)
        return;
    GhostActor(m_ghostTable, m_currentAct, *m_platform.random, *m_platform.clock, m_soundOutput)
        .GhostAct();
}

void TfmGhost::LoadGhostTable() {
    GhostTableStore(m_platform.store, m_platform.messages).load(m_ghostTable);
    resetEditedGhost();
}

void TfmGhost::SaveGhostTable() {
    GhostTableStore(m_platform.store, m_platform.messages).save(m_ghostTable);
}

void TfmGhost::resetEditedGhost() {
    // Hours and sensor are left as they were: only the passport, tempers, regime and specialty
    // start afresh.
    EditedGhost.Name.clear();
    EditedGhost.ON = false;
    EditedGhost.Nrav_1 = EditedGhost.Nrav_2 = EditedGhost.Nrav_3 = EditedGhost.Nrav_4 = 0;
    EditedGhost.Regime = 0;
    EditedGhost.Special = 0;
}
