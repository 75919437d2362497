// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PlatformServices.h"
#include "schedule/ScheduleForm.h"
#include "widgetkit/SkinnedDialog.h"

#include <QTimeZone>

#include <memory>

class ImageList;
struct ProgramState;
struct ScheduleControls;

// The schedule window: the evenings the attraction starts and stops by itself, the quiet hours,
// the place the sun is reckoned for, and the week they make, shown as the user edits. Nothing
// takes effect until OK or Apply hands the settings over.
class TfmSchedule : public SkinnedDialog {
    Q_OBJECT
public:
    // `yellow` is the main window's BitmapList_Yellow. `current` gives the settings in force at
    // each opening; `apply` takes new ones and says why not. The week is shown in `zone`.
    TfmSchedule(ProgramState& state, const PlatformServices& platform, const ImageList& yellow,
                ScheduleForm::Current current, ScheduleForm::Apply apply,
                QTimeZone zone = QTimeZone::systemTimeZone());
    ~TfmSchedule() override;

    const ScheduleForm& form() const { return m_form; }

protected:
    void buildControls() override;
    void FormShow() override;

private:
    void connectControls();
    void writeTexts();
    void showForm();
    void showPlan();
    void showQuiet();
    void editPlan();
    void editQuiet();
    void okClicked();
    int selectedPlan() const;
    int selectedQuiet() const;

    const ImageList& m_yellow;
    ScheduleForm m_form;
    // None until the window is first opened.
    std::unique_ptr<ScheduleControls> m_ui;
};
