// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ActTrigger.h"
#include "core/CurrentAct.h"
#include "core/GhostSettings.h"
#include "core/PlatformServices.h"
#include "ghosts/GhostTable.h"
#include "ghosts/SensorHoldOff.h"
#include "language/LanguageTarget.h"
#include "widgetkit/ImageList.h"
#include "widgetkit/SharedImageLists.h"
#include "widgetkit/SkinnedDialog.h"

#include <memory>

class GhostSoundOutput;
class LanguageTexts;
class QLabel;
struct GhostDialogControls;
struct ProgramState;

// The ghost settings dialog (form fmGhost). Owns the ghost table for the whole run: loads it
// when created, saves it when destroyed. The dialog edits a working copy of one ghost and
// copies it back on every tab switch and when it closes; there is no OK or Cancel. Its controls
// exist from the first opening on; until then it keeps only the table and the language's texts.
class TfmGhost : public SkinnedDialog, public LanguageTarget {
    Q_OBJECT
public:
    static constexpr int NameLimit = 16;

    // `resDir` holds Img/ with the image lists; empty: the Res folder beside the executable.
    // `shared`: the main window's image lists (buttons and the gold pictures); `resDir` holds
    // the dialog's own lists (empty: beside the executable).
    TfmGhost(ProgramState& state, const PlatformServices& platform, const SharedImageLists& shared,
             const QString& resDir = {});
    ~TfmGhost() override;

    GhostTable& ghostTable() { return m_ghostTable; }
    const GhostTable& ghostTable() const { return m_ghostTable; }

    // The dialog's working copy of the ghost being edited, and that ghost's number.
    const GhostSettings& editedGhost() const { return EditedGhost; }
    int selectedGhost() const { return SelectedGhost; }
    // The main window's show sequence starts the next opening from ghost 1.
    void selectFirstGhost() { SelectedGhost = 1; }

    CurrentAct& currentAct() { return m_currentAct; }
    const CurrentAct& currentAct() const { return m_currentAct; }

    // Where acts play their sound (the sound window); none: acts stay silent.
    void setSoundOutput(GhostSoundOutput* output) { m_soundOutput = output; }
    void GhostAct(const ActTrigger& trigger);
    // Board input `input` has turned on at board `board` (product id): while the attraction runs,
    // one of the switched-on ghosts listening to it acts at once, unless each has just reacted.
    void SensorAct(int input, int board);

    void LoadGhostTable();
    void SaveGhostTable();

    void applyLanguageTexts(const LanguageTexts& texts) override;

    void CommitEditedGhost();
    void ShowEditedGhost();
    void ShowGhostOn();
    void ShowTemper(int n);
    void ShowRegime();
    void ShowFromHour();
    void ShowToHour();
    void ShowSpecial();
    void ShowSensor();

    void Btn_YellowClick(int n);
    void Sb_Ghost_ONClick();
    void Cb_NravClick(int n);
    void stepRegime(int delta);
    void stepSpecial(int delta);
    void stepFromHour(int delta);
    void stepToHour(int delta);
    void stepSensor(int delta);

protected:
    void buildControls() override;
    void FormShow() override;
    void FormClose() override;
    void trackPointer() override;

private:
    void resetEditedGhost();
    // The controls, built first if the dialog was never opened.
    GhostDialogControls& controls();
    void connectControls();
    void showLanguageTexts(const LanguageTexts& texts);
    void Edit_Ghost_NameChange(const QString& text);
    const LanguageTexts& texts() const;
    qint32& temper(int n);

    GhostSettings EditedGhost;
    int SelectedGhost = 1;
    GhostTable m_ghostTable;
    CurrentAct m_currentAct;
    SensorHoldOff m_sensorHoldOff;
    GhostSoundOutput* m_soundOutput = nullptr;
    PlatformServices m_platform;
    const LanguageTexts* m_texts = nullptr;

    const ImageList& BitmapList_Btn;
    const ImageList& BitmapList_Yellow;
    ImageList BitmapList_GhostFoto;
    ImageList BitmapList_GhostPassport;
    ImageList BitmapList_YellowMenu;
    ImageList BitmapList_Scroll_1;

    // None until the first opening: see buildControls().
    std::unique_ptr<GhostDialogControls> m_ui;
};
