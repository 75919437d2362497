#pragma once

#include "app/core/PlatformServices.h"
#include "ghosts/GhostSettings.h"
#include "ghosts/GhostTable.h"

#include <QDialog>

struct ProgramState;

// The ghost settings dialog (form fmGhost). Owns the ghost table for the whole run: loads it
// when created, saves it when destroyed.
class TfmGhost : public QDialog {
    Q_OBJECT
public:
    TfmGhost(ProgramState& state, const PlatformServices& platform);
    ~TfmGhost() override;

    GhostTable& ghostTable() { return m_ghostTable; }
    const GhostTable& ghostTable() const { return m_ghostTable; }

    // The dialog's working copy of the ghost being edited.
    GhostSettings EditedGhost;
    int SelectedGhost = 1;

    void LoadGhostTable();
    void SaveGhostTable();

private:
    void resetEditedGhost();

    GhostTable m_ghostTable;
    ProgramState& m_state;
    PlatformServices m_platform;
};
