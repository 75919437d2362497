// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class GradientTitle;
class IndicatorLamp;
class QCheckBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The home automation window's own controls (the close button and the focus field come with
// every skinned dialog): the broker on the left with the link's lamp, Home Assistant's names on
// the right. Captions are written by the window in the interface language.
struct HomeAutomationControls {
    explicit HomeAutomationControls(QDialog* dialog);

    GradientTitle* Lbl_Title;
    QLabel* Img_Fon;

    QGroupBox* GB_Broker;
    QCheckBox* Cb_Enabled;
    QLabel* Lbl_Host;
    QLineEdit* Edit_Host;
    QLabel* Lbl_Port;
    QLineEdit* Edit_Port;
    QLabel* Lbl_User;
    QLineEdit* Edit_User;
    QLabel* Lbl_Password;
    QLineEdit* Edit_Password;
    QCheckBox* Cb_Tls;
    QLabel* Lbl_CaFile;
    QLineEdit* Edit_CaFile;
    QPushButton* Sb_CaFile;
    IndicatorLamp* Indicator_Link;
    QLabel* Lbl_State;
    QPushButton* Sb_Test;
    QLabel* Lbl_Note;

    QGroupBox* GB_Assistant;
    QLabel* Lbl_NodeId;
    QLineEdit* Edit_NodeId;
    QLabel* Lbl_BaseTopic;
    QLineEdit* Edit_BaseTopic;
    QLabel* Lbl_Prefix;
    QLineEdit* Edit_Prefix;
};
