// SPDX-License-Identifier: GPL-3.0-or-later
#include "ghosts/GhostDialogControls.h"

#include "core/GhostSettings.h"
#include "widgetkit/FormFont.h"
#include "widgetkit/GradientTitle.h"
#include "widgetkit/NameLengthValidator.h"
#include "widgetkit/SkinColors.h"
#include "widgetkit/SkinParts.h"

#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {

using SkinParts::button;
using SkinParts::field;
using SkinParts::fieldStyle;
using SkinParts::picture;
using SkinParts::setCaption;

template <typename Widget>
Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

// Captions are underlined in the group captions' green; the hour panel's are plain black.
QLabel* caption(QWidget* parent, const QString& name, QPoint at, bool underlined = true) {
    return SkinParts::text(parent, name, QString(), at,
                           underlined ? SkinColors::CaptionGreen : QColor(Qt::black), underlined);
}

constexpr int HourFieldWidth = 18;
// The field with the arrows' place beside it (a 1-pixel gap and the 19-pixel arrows).
constexpr int HourFieldWidthWithoutArrows = HourFieldWidth + 1 + 19;

QLabel* hourField(QWidget* parent, const QString& name, const QRect& place) {
    auto* label = named(new QLabel(parent), name);
    label->setGeometry(place);
    label->setFont(FormFont("Verdana", 11));
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(fieldStyle("QLabel"));
    return label;
}

QGroupBox* group(QWidget* parent, const QString& name, const QRect& place) {
    return SkinParts::group(parent, name, QString(), place);
}

QFrame* panel(QWidget* parent, const QString& name, const QRect& place) {
    auto* frame = named(new QFrame(parent), name);
    frame->setGeometry(place);
    frame->setStyleSheet(QStringLiteral("QFrame#%1 { background-color: #D7E6F5; border: 1px solid"
                                        " %2; border-radius: 3px; }")
                             .arg(name, SkinColors::FieldBorder.name()));
    return frame;
}

} // namespace

GhostDialogControls::GhostDialogControls(QDialog* dialog) {
    Lbl_Ghost_Title = named(new GradientTitle(dialog, {8, 0, 200, 25}), "Lbl_Ghost_Title");
    Img_Yellow_Fon1 = picture(dialog, "Img_Yellow_Fon1", {13, 40, 764, 42});
    for (int n = 1; n <= 8; ++n)
        Btn_Yellow[n - 1] =
            button(dialog, QStringLiteral("Btn_Yellow_%1").arg(n), {25 + 94 * (n - 1), 47, 82, 42});
    Img_Fon = picture(dialog, "Img_Fon", {13, 100, 764, 350});

    GB_1 = group(dialog, "GB_1", {28, 112, 146, 328});
    Lbl_Ghost_Num = caption(GB_1, "Lbl_Ghost_Num", {8, 24});
    Lbl_Ghost_Num->setText(QStringLiteral("№"));
    Lbl_Ghost_Num->adjustSize();
    Edit_Ghost_Num = field(GB_1, "Edit_Ghost_Num", {8, 42, 23, 20}, true);
    Edit_Ghost_Num->setAlignment(Qt::AlignCenter);
    Lbl_Ghost_Name = caption(GB_1, "Lbl_Ghost_Name", {38, 24});
    Edit_Ghost_Name = field(GB_1, "Edit_Ghost_Name", {38, 42, 100, 20}, false);
    nameLength = new NameLengthValidator(GhostSettings::NameTypedLength, Edit_Ghost_Name);
    Edit_Ghost_Name->setValidator(nameLength);
    Lbl_Ghost_Foto = caption(GB_1, "Lbl_Ghost_Foto", {8, 94});
    Img_Ghost_Mini = picture(GB_1, "Img_Ghost_Mini", {8, 110, 90, 90}, true);
    Lbl_Ghost_ON = caption(GB_1, "Lbl_Ghost_ON", {8, 272});
    Img_0 = picture(GB_1, "Img_0", {8, 305, 18, 10});
    Sb_Ghost_ON = button(GB_1, "Sb_Ghost_ON", {28, 292, 91, 32});
    Img_1 = picture(GB_1, "Img_1", {122, 305, 18, 10});

    GB_2 = group(dialog, "GB_2", {186, 112, 578, 60});
    constexpr int TemperLefts[] = {8, 158, 308, 458};
    for (int n = 1; n <= 4; ++n) {
        const int left = TemperLefts[n - 1];
        Cb_Nrav[n - 1] = button(GB_2, QStringLiteral("Cb_Nrav_%1").arg(n), {left, 22, 23, 23});
        Lbl_Nrav[n - 1] = caption(GB_2, QStringLiteral("Lbl_Nrav_%1").arg(n), {left + 26, 24});
        Lbl_Nrav[n - 1]->setCursor(Qt::PointingHandCursor);
    }

    const auto scroller = [](QGroupBox* box, const QString& prefix, QLabel*& up, QLabel*& fon,
                             QLabel*& down) {
        up = button(box, prefix + QStringLiteral("_Up"), {100, 41, 21, 30});
        fon = picture(box, prefix + QStringLiteral("_Fon"), {100, 71, 21, 32});
        down = button(box, prefix + QStringLiteral("_Down"), {100, 97, 21, 30});
    };

    GB_Regime = group(dialog, "GB_Regime", {186, 180, 283, 260});
    Lbl_Regime = caption(GB_Regime, "Lbl_Regime", {8, 26});
    Img_Regime = picture(GB_Regime, "Img_Regime", {8, 42, 90, 90}, true);
    scroller(GB_Regime, QStringLiteral("Scroll_Regime"), Scroll_Regime_Up, Scroll_Regime_Fon,
             Scroll_Regime_Down);
    Panel_Regime_Dop_1 = panel(GB_Regime, "Panel_Regime_Dop_1", {8, 144, 130, 22});
    setCaption(caption(Panel_Regime_Dop_1, "Lbl_From", {2, 3}, false), QStringLiteral("С:"));
    Edit_Regime_Dop_1 =
        hourField(Panel_Regime_Dop_1, "Edit_Regime_Dop_1", {18, 1, HourFieldWidth, 20});
    Sb_Regime_Dop_1_Up = button(Panel_Regime_Dop_1, "Sb_Regime_Dop_1_Up", {37, 1, 19, 10});
    Sb_Regime_Dop_1_Down = button(Panel_Regime_Dop_1, "Sb_Regime_Dop_1_Down", {37, 11, 19, 10});
    setCaption(caption(Panel_Regime_Dop_1, "Lbl_To", {64, 3}, false), QStringLiteral("До:"));
    Edit_Regime_Dop_1a =
        hourField(Panel_Regime_Dop_1, "Edit_Regime_Dop_1a", {90, 1, HourFieldWidth, 20});
    Sb_Regime_Dop_1a_Up = button(Panel_Regime_Dop_1, "Sb_Regime_Dop_1a_Up", {109, 1, 19, 10});
    Sb_Regime_Dop_1a_Down = button(Panel_Regime_Dop_1, "Sb_Regime_Dop_1a_Down", {109, 11, 19, 10});

    GB_Special = group(dialog, "GB_Special", {481, 180, 283, 260});
    Lbl_Special = caption(GB_Special, "Lbl_Special", {8, 26});
    Img_Special = picture(GB_Special, "Img_Special", {8, 42, 90, 90}, true);
    scroller(GB_Special, QStringLiteral("Scroll_Special"), Scroll_Special_Up, Scroll_Special_Fon,
             Scroll_Special_Down);
    Panel_Special_Dop_1 = panel(GB_Special, "Panel_Special_Dop_1", {8, 144, 200, 22});
    Edit_Special_Dop_1 = field(Panel_Special_Dop_1, "Edit_Special_Dop_1", {2, 1, 174, 20}, true);
    Sb_Special_Dop_1_Up = button(Panel_Special_Dop_1, "Sb_Special_Dop_1_Up", {179, 1, 19, 10});
    Sb_Special_Dop_1_Down = button(Panel_Special_Dop_1, "Sb_Special_Dop_1_Down", {179, 11, 19, 10});
}

void GhostDialogControls::showHourArrows(bool shown) const {
    for (QLabel* arrow :
         {Sb_Regime_Dop_1_Up, Sb_Regime_Dop_1_Down, Sb_Regime_Dop_1a_Up, Sb_Regime_Dop_1a_Down})
        arrow->setVisible(shown);
    const int width = shown ? HourFieldWidth : HourFieldWidthWithoutArrows;
    for (QLabel* field : {Edit_Regime_Dop_1, Edit_Regime_Dop_1a})
        field->resize(width, field->height());
}
