// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

class GradientTitle;
class NameLengthValidator;
class QCheckBox;
class QDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// One client list's page buttons, in their own small panel over the list's right edge.
struct PageButtons {
    QFrame* Panel_Scroll;
    QLabel* SbScroll_Up;
    QLabel* SbScroll_Down;
};

// The network server window's own controls, placed as the form lays them out (the close button
// and the focus field come with every skinned dialog). Every control carries its form name.
struct NetWindowControls {
    explicit NetWindowControls(QDialog* dialog);

    GradientTitle* Lbl_Title_1;
    QFrame* Panel_Net;

    QFrame* Panel_3;
    QLabel* Lbl24;
    QLabel* Sb_SendSelect;
    QLabel* Sb_SendAll;
    QLabel* Sb_CloseSelect;
    QLabel* Sb_CloseAll;
    QListWidget* UsersCheckListBox;
    PageButtons Scroll_1;

    QFrame* Panel6;
    QFrame* Panel_Indicator_Net;
    QFrame* Indicator_Net;
    QCheckBox* Cb_AutoSocket;
    QLabel* Lbl8;
    QCheckBox* Cb_SocketJurnal;
    QCheckBox* Cb_SocketError;
    QLabel* Lbl10;
    QFrame* Panel_ServerPort;
    QLineEdit* Edit_ServerPort;
    QLabel* Lbl9;
    QLabel* Sb_Socket_Connect;
    QLabel* Lbl12;
    QLabel* Sb_Socket_ReConnect;

    QFrame* Panel_1;
    QLabel* Lbl23;
    QLabel* Sb_UserMinus;
    QLabel* Sb_UserPlus;
    QListWidget* UsersListBox;
    PageButtons Scroll_2;

    QFrame* Panel4;
    QLabel* Lbl7;
    QLabel* Lbl6;
    QLineEdit* UserPasswLabeledEdit;
    NameLengthValidator* passwordLength; // eight typed characters; a longer stored one stays
    QLabel* Lbl1;
    std::array<QCheckBox*, 4> CommandCheckBox; // Command1CheckBox ... Command4CheckBox

    QFrame* Panel7;
    QLabel* Lbl11;
    QLineEdit* Edit_New;
    QPushButton* Sb_Ok;
    QPushButton* Sb_Cancel;

    // Below the form's own area, which the window was made taller for.
    QLabel* Lbl_ClientAction;
    QPlainTextEdit* ClientActionMemo;

    // The start/stop caption's place for each look.
    static constexpr int StartCaptionLeft = 228;
    static constexpr int StopCaptionLeft = 222;
    static constexpr int CaptionTop = 48;
};
