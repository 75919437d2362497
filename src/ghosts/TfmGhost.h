#pragma once

#include "app/core/PlatformServices.h"
#include "ghosts/CurrentAct.h"
#include "ghosts/GhostSettings.h"
#include "ghosts/GhostTable.h"

#include <QDialog>

class GhostSoundOutput;

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

    CurrentAct& currentAct() { return m_currentAct; }
    const CurrentAct& currentAct() const { return m_currentAct; }

    // Where acts play their sound (the sound window); none: acts stay silent.
    void setSoundOutput(GhostSoundOutput* output) { m_soundOutput = output; }
    void GhostAct();

    void LoadGhostTable();
    void SaveGhostTable();

private:
    void resetEditedGhost();

    GhostTable m_ghostTable;
    CurrentAct m_currentAct;
    GhostSoundOutput* m_soundOutput = nullptr;
    ProgramState& m_state;
    PlatformServices m_platform;
};
