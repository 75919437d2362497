// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/GhostSettings.h"
#include "core/PlatformServices.h"
#include "ghosts/Ghosts.h"
#include "language/LanguageTarget.h"
#include "widgetkit/ImageList.h"
#include "widgetkit/SharedImageLists.h"
#include "widgetkit/SkinnedDialog.h"

#include <memory>

class LanguageTexts;
class QLabel;
struct GhostDialogControls;
struct ProgramState;

// The ghost settings dialog (form fmGhost), a view of the ghosts' table. The dialog edits a
// working copy of one ghost and copies it back on every tab switch and when it closes; there is
// no OK or Cancel. Its controls exist from the first opening on; until then it keeps only the
// language's texts.
class TfmGhost : public SkinnedDialog, public LanguageTarget {
    Q_OBJECT
public:
    static constexpr int NameLimit = 16;

    // `resDir` holds Img/ with the image lists; empty: the Res folder beside the executable.
    // `shared`: the main window's image lists (buttons and the gold pictures); `resDir` holds
    // the dialog's own lists (empty: beside the executable).
    TfmGhost(ProgramState& state, const PlatformServices& platform, Ghosts& ghosts,
             const SharedImageLists& shared, const QString& resDir = {});
    ~TfmGhost() override;

    GhostTable& ghostTable() { return m_ghosts.table(); }
    const GhostTable& ghostTable() const { return m_ghosts.table(); }

    // The dialog's working copy of the ghost being edited, and that ghost's number.
    const GhostSettings& editedGhost() const { return EditedGhost; }
    int selectedGhost() const { return SelectedGhost; }
    // The main window's show sequence starts the next opening from ghost 1.
    void selectFirstGhost() { SelectedGhost = 1; }

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
    Ghosts& m_ghosts;
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
