// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/WebAccessControls.h"

#include "widgetkit/FormFont.h"
#include "widgetkit/GradientTitle.h"
#include "widgetkit/SkinColors.h"
#include "widgetkit/SkinParts.h"

#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace {

using SkinParts::button;
using SkinParts::field;
using SkinParts::picture;

// The short-password notice stands out from the green captions around it.
const QColor WarningOrange{0xFB, 0xAD, 0x2E};

QLabel* caption(QWidget* parent, const QString& name, QPoint at,
                const QColor& colour = SkinColors::CaptionGreen) {
    return SkinParts::text(parent, name, QString(), at, colour, true);
}

QCheckBox* checkbox(QWidget* parent, const QString& name, const QRect& place) {
    return SkinParts::checkbox(parent, name, QString(), place);
}

// The two accounts share one layout; the administrator's sits 130 pixels lower, with a
// narrower password field.
AccountControls account(QWidget* group, const QString& who, int top, int passWidth) {
    const auto name = [&who](const char* pattern) {
        return QString::fromLatin1(pattern).arg(who);
    };
    AccountControls controls;
    controls.Cb = button(group, name("Cb_%1"), {20, top, 23, 23});
    controls.Lbl = caption(group, name("Lbl_%1"), {44, top + 2}, SkinColors::HeadingYellow);
    controls.Lbl->setCursor(Qt::PointingHandCursor);
    controls.Lbl_Login = caption(group, name("Lbl_%1_Login"), {32, top + 25});
    controls.Lbl_Pass = caption(group, name("Lbl_%1_Pass"), {114, top + 25});
    controls.Edit_Login = field(group, name("Edit_%1_Login"), {32, top + 41, 80, 20}, false);
    controls.Edit_Pass = field(group, name("Edit_%1_Pass"), {114, top + 41, passWidth, 20}, false);
    controls.Lbl_URL = caption(group, name("Lbl_%1_URL"), {32, top + 65});
    controls.Edit_URL = field(group, name("Edit_%1_URL"), {32, top + 81, 250, 20}, true);
    controls.Lbl_NoSignIn = SkinParts::text(group, name("Lbl_%1_NoSignIn"), QString(),
                                            {32, top + 102}, WarningOrange, false);
    controls.Lbl_NoSignIn->setFont(FormFont("Verdana", 9, true, false));
    controls.Lbl_NoSignIn->setWordWrap(true);
    controls.Lbl_NoSignIn->setGeometry(32, top + 101, 250, 23);
    controls.Lbl_NoSignIn->hide();
    return controls;
}

PermissionControls permissions(QWidget* group, const QString& who, int left, int accountLeft) {
    const auto name = [&who](const char* pattern) {
        return QString::fromLatin1(pattern).arg(who);
    };
    PermissionControls controls;
    controls.Lbl_Dostup_2 = caption(group, name("Lbl_%1_Dostup_2"), {accountLeft, 20});
    controls.Lbl_Dostup_1 = caption(group, name("Lbl_%1_Dostup_1"), {left, 42});
    for (int ghost = 1; ghost <= 8; ++ghost)
        controls.Cb_Web[static_cast<size_t>(ghost - 1)] =
            checkbox(group, QStringLiteral("Cb_Web_%1_%2").arg(who).arg(ghost, 2, 10, QChar(u'0')),
                     {left, 62 + 16 * (ghost - 1), 150, 16});
    controls.Lbl_Dostup_3 = caption(group, name("Lbl_%1_Dostup_3"), {left, 246});
    controls.Cb_Web_50 = checkbox(group, name("Cb_Web_%1_50"), {left, 266, 150, 16});
    return controls;
}

} // namespace

QString WebAccessControls::title() {
    return QStringLiteral("Доступ через Интернет:");
}

void AccountControls::setFieldsVisible(bool shown) const {
    for (QWidget* control : {static_cast<QWidget*>(Lbl_Login), static_cast<QWidget*>(Lbl_Pass),
                             static_cast<QWidget*>(Lbl_URL), static_cast<QWidget*>(Edit_URL),
                             static_cast<QWidget*>(Edit_Login), static_cast<QWidget*>(Edit_Pass)})
        control->setVisible(shown);
}

WebAccessControls::WebAccessControls(QDialog* dialog) {
    Img_Fon = picture(dialog, QStringLiteral("Img_Fon"), {13, 40, 764, 410});
    Lbl_Ghost_Title = new GradientTitle(dialog, {8, 0, 266, 25});
    Lbl_Ghost_Title->setObjectName(QStringLiteral("Lbl_Ghost_Title"));
    Lbl_Ghost_Title->setText(title());

    GB_1 = SkinParts::group(dialog, QStringLiteral("GB_1"), QStringLiteral(" Веб Сервер "),
                            {22, 60, 365, 380});
    Cb_Web_Autoconnect = checkbox(GB_1, QStringLiteral("Cb_Web_Autoconnect"), {10, 20, 343, 14});
    Lbl_Port = caption(GB_1, QStringLiteral("Lbl_Port"), {12, 42});
    Lbl_Page = caption(GB_1, QStringLiteral("Lbl_Page"), {58, 42});
    Lbl_IP = caption(GB_1, QStringLiteral("Lbl_IP"), {216, 42});

    Panel_IP = new QFrame(GB_1);
    Panel_IP->setObjectName(QStringLiteral("Panel_IP"));
    Panel_IP->setGeometry(12, 58, 344, 22);
    Edit_Port = field(Panel_IP, QStringLiteral("Edit_Port"), {2, 1, 36, 20}, false);
    Edit_Page = field(Panel_IP, QStringLiteral("Edit_Page"), {47, 1, 127, 20}, false);
    Edit_IP = field(Panel_IP, QStringLiteral("Edit_IP"), {202, 1, 116, 20}, true);
    Sb_IP_Up = button(Panel_IP, QStringLiteral("Sb_IP_Up"), {321, 1, 19, 10});
    Sb_IP_Down = button(Panel_IP, QStringLiteral("Sb_IP_Down"), {321, 11, 19, 10});

    User = account(GB_1, QStringLiteral("User"), 125, 80);
    Admin = account(GB_1, QStringLiteral("Admin"), 255, 69);

    Img_09 = picture(GB_1, QStringLiteral("Img_09"), {311, 334, 6, 40});
    Sb_Web_Connect = button(GB_1, QStringLiteral("Sb_Web_Connect"), {316, 334, 40, 40});
    Img_12 = picture(GB_1, QStringLiteral("Img_12"), {356, 334, 5, 40});
    Lbl_Web_Connect = caption(GB_1, QStringLiteral("Lbl_Web_Connect"), {321, 320});

    GB_2 = SkinParts::group(dialog, QStringLiteral("GB_2"), QStringLiteral(" Веб Доступ "),
                            {404, 60, 365, 380});
    Web_User = permissions(GB_2, QStringLiteral("User"), 12, 12);
    Web_Admin = permissions(GB_2, QStringLiteral("Admin"), 188, 191);

    Lbl_12 = caption(dialog, QStringLiteral("Lbl_12"), {104, 566});
    SkinParts::setCaption(Lbl_12, QStringLiteral("Ваши IP:"));
    ListBox_IP = new QListWidget(dialog);
    ListBox_IP->setObjectName(QStringLiteral("ListBox_IP"));
    ListBox_IP->setGeometry(15, 582, 153, 52);
}
