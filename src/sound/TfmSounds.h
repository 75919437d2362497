// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PlatformServices.h"
#include "sound/SoundsForm.h"
#include "widgetkit/SkinnedDialog.h"

#include <functional>
#include <memory>

class ImageList;
class SoundLibraryWorkshop;
class SoundStage;
struct SoundsControls;
struct ProgramState;

// The sounds window: the twelve libraries, the chosen one's sounds, and what changes them -
// recordings added by the file dialog or dropped on the window, a sound removed, a description
// edited, the shipped sounds back. A view of the workshop, whose jobs go on when it closes.
class TfmSounds : public SkinnedDialog {
    Q_OBJECT
public:
    // Asks for recordings to add; empty when none were chosen.
    using FileChooser =
        std::function<QStringList(QWidget* parent, const QString& title, const QString& filter)>;
    // Asks the user to confirm `text`.
    using Confirmation = std::function<bool(QWidget* parent, const QString& text)>;

    // `yellow` is the main window's BitmapList_Yellow; `workshop` and `stage` must outlive the
    // window. Without a chooser or a confirmation the desktop's dialogs ask.
    TfmSounds(ProgramState& state, const PlatformServices& platform, const ImageList& yellow,
              SoundLibraryWorkshop& workshop, SoundStage& stage, FileChooser chooser = {},
              Confirmation confirm = {});
    ~TfmSounds() override;

    const SoundsForm& form() const { return m_form; }
    // Adds recordings as a drop of them would.
    void addFiles(const QStringList& files);

protected:
    void buildControls() override;
    void FormShow() override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void connectControls();
    void writeTexts();
    void showLibraries();
    void showSounds();
    void showSelection();
    void showProgress();
    void showNote();
    int selectedSound() const;
    void chooseFiles();
    void confirmBack();

    const ImageList& m_yellow;
    FileChooser m_chooser;
    Confirmation m_confirm;
    SoundsForm m_form;
    // The sound whose description the field was last given: the import's progress must not
    // overwrite what is being typed.
    int m_describedSound = -1;
    // None until the window is first opened.
    std::unique_ptr<SoundsControls> m_ui;
};
