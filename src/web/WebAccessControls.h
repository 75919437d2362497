// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>

class GradientTitle;
class QCheckBox;
class QDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QWidget;

// One account's controls in the web server group: its toggle picture and title, and the six
// controls that show only while the account is enabled.
struct AccountControls {
    QLabel* Cb;
    QLabel* Lbl;
    QLabel* Lbl_Login;
    QLabel* Lbl_Pass;
    QLineEdit* Edit_Login;
    QLineEdit* Edit_Pass;
    QLabel* Lbl_URL;
    QLineEdit* Edit_URL;
    // Under the address: the password is too short for the account to sign in to the page.
    QLabel* Lbl_NoSignIn;

    void setFieldsVisible(bool shown) const;
};

// One account's permissions in the web access group.
struct PermissionControls {
    QLabel* Lbl_Dostup_1;             // "Ghosts:"
    QLabel* Lbl_Dostup_2;             // the account
    QLabel* Lbl_Dostup_3;             // "Attraction:"
    std::array<QCheckBox*, 8> Cb_Web; // ghost n at n - 1
    QCheckBox* Cb_Web_50;             // the attraction
};

// The web access window's own controls, placed as the form lays them out (the close button and
// the focus field come with every skinned dialog). Every control carries its form name.
struct WebAccessControls {
    explicit WebAccessControls(QDialog* dialog);

    // The fixed Russian title, also the window's title before any control exists.
    static QString title();

    GradientTitle* Lbl_Ghost_Title;
    QLabel* Img_Fon;

    QGroupBox* GB_1;
    QCheckBox* Cb_Web_Autoconnect;
    QLabel* Lbl_Port;
    QLabel* Lbl_Page;
    QLabel* Lbl_IP;
    QFrame* Panel_IP;
    QLineEdit* Edit_Port;
    QLineEdit* Edit_Page;
    QLineEdit* Edit_IP;
    QLabel* Sb_IP_Up;
    QLabel* Sb_IP_Down;
    AccountControls User;
    AccountControls Admin;
    QLabel* Img_09;
    QLabel* Sb_Web_Connect;
    QLabel* Img_12;
    QLabel* Lbl_Web_Connect;

    QGroupBox* GB_2;
    PermissionControls Web_User;
    PermissionControls Web_Admin;

    // Both lie below the window's shown height, out of the user's sight.
    QLabel* Lbl_12;
    QListWidget* ListBox_IP;
};
