// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeAutomationControls.h"

#include "widgetkit/FormFont.h"
#include "widgetkit/GradientTitle.h"
#include "widgetkit/IndicatorLamp.h"
#include "widgetkit/SkinColors.h"
#include "widgetkit/SkinParts.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using SkinParts::field;

QLabel* caption(QWidget* parent, const char* name, QPoint at) {
    return SkinParts::text(parent, QLatin1String(name), QString(), at, SkinColors::CaptionGreen,
                           false);
}

// A line that wraps inside its place: the state and the note carry the broker's own words.
QLabel* line(QWidget* parent, const char* name, const QRect& place) {
    QLabel* label = SkinParts::text(parent, QLatin1String(name), QString(), place.topLeft(),
                                    SkinColors::PaleText, false);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(place);
    return label;
}

QPushButton* textButton(QWidget* parent, const char* name, const QRect& place) {
    QPushButton* button = SkinParts::textButton(parent, name, place);
    // A click must not take the focus from a field: leaving the field is what applies it.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

HomeAutomationControls::HomeAutomationControls(QDialog* dialog) {
    Img_Fon = SkinParts::picture(dialog, QStringLiteral("Img_Fon"), {13, 40, 764, 410});
    Lbl_Title = new GradientTitle(dialog, {8, 0, 274, 25});
    Lbl_Title->setObjectName(QStringLiteral("Lbl_Title"));

    GB_Broker =
        SkinParts::group(dialog, QStringLiteral("GB_Broker"), QString(), {22, 60, 365, 380});
    Cb_Enabled =
        SkinParts::checkbox(GB_Broker, QStringLiteral("Cb_Enabled"), QString(), {10, 22, 345, 18});
    Lbl_Host = caption(GB_Broker, "Lbl_Host", {12, 50});
    Edit_Host = field(GB_Broker, QStringLiteral("Edit_Host"), {12, 66, 250, 20}, false);
    Lbl_Port = caption(GB_Broker, "Lbl_Port", {272, 50});
    Edit_Port = field(GB_Broker, QStringLiteral("Edit_Port"), {272, 66, 80, 20}, false);
    Lbl_User = caption(GB_Broker, "Lbl_User", {12, 96});
    Edit_User = field(GB_Broker, QStringLiteral("Edit_User"), {12, 112, 165, 20}, false);
    Lbl_Password = caption(GB_Broker, "Lbl_Password", {187, 96});
    Edit_Password = field(GB_Broker, QStringLiteral("Edit_Password"), {187, 112, 165, 20}, false);
    Edit_Password->setEchoMode(QLineEdit::Password);
    Cb_Tls =
        SkinParts::checkbox(GB_Broker, QStringLiteral("Cb_Tls"), QString(), {10, 146, 345, 18});
    Lbl_CaFile = caption(GB_Broker, "Lbl_CaFile", {12, 172});
    Edit_CaFile = field(GB_Broker, QStringLiteral("Edit_CaFile"), {12, 188, 305, 20}, false);
    Sb_CaFile = textButton(GB_Broker, "Sb_CaFile", {322, 187, 30, 22});
    Sb_CaFile->setText(QStringLiteral("…"));

    Indicator_Link = new IndicatorLamp(GB_Broker);
    Indicator_Link->setObjectName(QStringLiteral("Indicator_Link"));
    Indicator_Link->setGeometry(12, 232, 20, 20);
    Lbl_State = line(GB_Broker, "Lbl_State", {42, 232, 310, 58});
    Sb_Test = textButton(GB_Broker, "Sb_Test", {12, 296, 140, 26});
    Lbl_Note = line(GB_Broker, "Lbl_Note", {12, 328, 340, 46});

    GB_Assistant =
        SkinParts::group(dialog, QStringLiteral("GB_Assistant"), QString(), {404, 60, 365, 380});
    Lbl_NodeId = caption(GB_Assistant, "Lbl_NodeId", {12, 26});
    Edit_NodeId = field(GB_Assistant, QStringLiteral("Edit_NodeId"), {12, 42, 340, 20}, false);
    Lbl_BaseTopic = caption(GB_Assistant, "Lbl_BaseTopic", {12, 72});
    Edit_BaseTopic =
        field(GB_Assistant, QStringLiteral("Edit_BaseTopic"), {12, 88, 340, 20}, false);
    Lbl_Prefix = caption(GB_Assistant, "Lbl_Prefix", {12, 118});
    Edit_Prefix = field(GB_Assistant, QStringLiteral("Edit_Prefix"), {12, 134, 340, 20}, false);
}
