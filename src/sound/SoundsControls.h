// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class GradientTitle;
class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTableWidget;

// The sounds window's own controls: the twelve libraries on the left with the play button and
// its stereo effect, the chosen library's sounds on the right with what changes them, the
// import's progress and the note below. Captions are written by the window.
struct SoundsControls {
    explicit SoundsControls(QDialog* dialog);

    GradientTitle* Lbl_Title;
    QLabel* Img_Fon;

    QListWidget* List_Libraries;
    QComboBox* Combo_Effect;
    QPushButton* Sb_Play;

    QTableWidget* Grid_Sounds;
    QLineEdit* Edit_Description;
    QPushButton* Sb_Apply;
    QPushButton* Sb_Add;
    QPushButton* Sb_Remove;
    QPushButton* Sb_Back;
    QCheckBox* Cb_Trim;

    QProgressBar* Progress_Import;
    QPushButton* Sb_Cancel;
    QLabel* Lbl_Note;
};
