// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

class GradientTitle;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimeEdit;

// The schedule window's own controls: the evenings on the left with the chosen one's editor
// below them, the quiet hours, the place and the week on the right, the note and the buttons
// at the foot. Captions are written by the window.
struct ScheduleControls {
    explicit ScheduleControls(QDialog* dialog);

    GradientTitle* Lbl_Title;
    QLabel* Img_Fon;
    QCheckBox* Cb_Enabled;

    QLabel* Lbl_Plans;
    QListWidget* List_Plans;
    QPushButton* Sb_AddPlan;
    QPushButton* Sb_RemovePlan;
    QRadioButton* Rb_Weekdays;
    std::array<QCheckBox*, 7> Cb_Day; // Monday first
    QRadioButton* Rb_Dates;
    QDateEdit* Date_From;
    QLabel* Lbl_DateTo;
    QDateEdit* Date_To;
    QLabel* Lbl_Start;
    QComboBox* Combo_Start;
    QTimeEdit* Time_Start;
    QSpinBox* Spin_StartOffset;
    QLabel* Lbl_End;
    QComboBox* Combo_End;
    QTimeEdit* Time_End;
    QSpinBox* Spin_EndMinutes; // the sunrise's offset or the duration
    QCheckBox* Cb_FinalSound;
    QCheckBox* Cb_OpenDoor;

    QLabel* Lbl_Quiet;
    QListWidget* List_Quiet;
    QTimeEdit* Time_QuietFrom;
    QTimeEdit* Time_QuietTo;
    QPushButton* Sb_AddQuiet;
    QPushButton* Sb_RemoveQuiet;

    QLabel* Lbl_City;
    QComboBox* Combo_City;
    QLabel* Lbl_Latitude;
    QLineEdit* Edit_Latitude;
    QLabel* Lbl_Longitude;
    QLineEdit* Edit_Longitude;

    QLabel* Lbl_Week;
    QLabel* Text_Week;

    QLabel* Lbl_Note;
    QPushButton* Sb_Ok;
    QPushButton* Sb_Apply;
};
