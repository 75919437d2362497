// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

class GradientTitle;
class NameLengthValidator;
class QDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QString;
class QWidget;

// The ghost dialog's own controls, placed as the form lays them out (the close button and the
// focus field come with every skinned dialog). Pictures and buttons are labels (clicks come
// through ClickSource); every control carries its form name.
struct GhostDialogControls {
    explicit GhostDialogControls(QDialog* dialog);

    // The hour arrows serve only the pre-set time; while they are hidden each hour field takes
    // their place, so the light panel shows no empty gaps.
    void showHourArrows(bool shown) const;

    GradientTitle* Lbl_Ghost_Title;
    QLabel* Img_Yellow_Fon1;
    std::array<QLabel*, 8> Btn_Yellow;
    QLabel* Img_Fon;

    QGroupBox* GB_1;
    QLabel* Lbl_Ghost_Num;
    QLineEdit* Edit_Ghost_Num;
    QLabel* Lbl_Ghost_Name;
    QLineEdit* Edit_Ghost_Name;
    NameLengthValidator* nameLength;
    QLabel* Lbl_Ghost_Foto;
    QLabel* Img_Ghost_Mini;
    QLabel* Lbl_Ghost_ON;
    QLabel* Img_0;
    QLabel* Sb_Ghost_ON;
    QLabel* Img_1;

    QGroupBox* GB_2;
    std::array<QLabel*, 4> Cb_Nrav;
    std::array<QLabel*, 4> Lbl_Nrav;

    QGroupBox* GB_Regime;
    QLabel* Lbl_Regime;
    QLabel* Img_Regime;
    QLabel* Scroll_Regime_Up;
    QLabel* Scroll_Regime_Fon;
    QLabel* Scroll_Regime_Down;
    QFrame* Panel_Regime_Dop_1;
    // The hour fields are read-only and too narrow for an edit's inner margins: labels that
    // look like the other fields.
    QLabel* Edit_Regime_Dop_1;
    QLabel* Sb_Regime_Dop_1_Up;
    QLabel* Sb_Regime_Dop_1_Down;
    QLabel* Edit_Regime_Dop_1a;
    QLabel* Sb_Regime_Dop_1a_Up;
    QLabel* Sb_Regime_Dop_1a_Down;

    QGroupBox* GB_Special;
    QLabel* Lbl_Special;
    QLabel* Img_Special;
    QLabel* Scroll_Special_Up;
    QLabel* Scroll_Special_Fon;
    QLabel* Scroll_Special_Down;
    QFrame* Panel_Special_Dop_1;
    QLineEdit* Edit_Special_Dop_1;
    QLabel* Sb_Special_Dop_1_Up;
    QLabel* Sb_Special_Dop_1_Down;
};
