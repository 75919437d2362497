// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetWindowControls.h"

#include "widgetkit/FormFont.h"
#include "widgetkit/GradientTitle.h"
#include "widgetkit/NameLengthValidator.h"
#include "widgetkit/SkinColors.h"
#include "widgetkit/SkinParts.h"

#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

namespace {

using SkinParts::button;
using SkinParts::checkbox;
using SkinParts::field;

constexpr int PasswordTypedLength = 8;

QFrame* panel(QWidget* parent, const QString& name, const QRect& place, const QColor& colour) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setGeometry(place);
    QPalette colours = frame->palette();
    colours.setColor(QPalette::Window, colour);
    frame->setPalette(colours);
    frame->setAutoFillBackground(true);
    return frame;
}

QLabel* caption(QWidget* parent, const QString& name, const QString& text, QPoint at) {
    return SkinParts::text(parent, name, text, at, SkinColors::PaleText, false);
}

// Rows of 14 pixels, six to the list's 84; the page buttons stand in for a scroll bar.
QListWidget* clientList(QWidget* parent, const QString& name, const QRect& place) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setGeometry(place);
    list->setFont(FormFont("Verdana", 11));
    list->setUniformItemSizes(true);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setFrameShape(QFrame::NoFrame);
    list->setStyleSheet(SkinParts::fieldStyle("QListWidget", "outline: 0; ") +
                        QStringLiteral(" QListWidget::item { height: 14px; padding: 0px; }"));
    return list;
}

PageButtons pageButtons(QWidget* parent, int number, QPoint at) {
    PageButtons buttons;
    buttons.Panel_Scroll = new QFrame(parent);
    buttons.Panel_Scroll->setObjectName(QStringLiteral("Panel_Scroll_%1").arg(number));
    buttons.Panel_Scroll->setGeometry(at.x(), at.y(), 18, 80);
    buttons.SbScroll_Up =
        button(buttons.Panel_Scroll, QStringLiteral("SbScroll_%1_Up").arg(number), {0, 0, 14, 32});
    buttons.SbScroll_Down = button(buttons.Panel_Scroll,
                                   QStringLiteral("SbScroll_%1_Down").arg(number), {0, 48, 14, 32});
    return buttons;
}

QPushButton* textButton(QWidget* parent, const QString& name, const QString& text,
                        const QRect& place) {
    auto* pushButton = new QPushButton(text, parent);
    pushButton->setObjectName(name);
    pushButton->setGeometry(place);
    pushButton->setFont(FormFont("Verdana", 11, true));
    pushButton->setCursor(Qt::PointingHandCursor);
    // Keyboard focus stays in the name field, whose Return is the yes button.
    pushButton->setFocusPolicy(Qt::NoFocus);
    return pushButton;
}

} // namespace

NetWindowControls::NetWindowControls(QDialog* dialog) {
    Lbl_Title_1 = new GradientTitle(dialog, {15, 54, 173, 25});
    Lbl_Title_1->setObjectName(QStringLiteral("Lbl_Title_1"));
    // The fifth character is a Latin c, as the form has always written it.
    Lbl_Title_1->setText(QStringLiteral("Net cервер:"));

    Panel_Net =
        panel(dialog, QStringLiteral("Panel_Net"), {15, 78, 770, 240}, SkinColors::WindowBlue);

    Panel_3 = panel(Panel_Net, QStringLiteral("Panel_3"), {4, 4, 370, 24}, SkinColors::GroupBlue);
    Lbl24 =
        caption(Panel_3, QStringLiteral("Lbl24"), QStringLiteral("Текущие клиенты сети:"), {4, 5});
    Sb_SendSelect = button(Panel_3, QStringLiteral("Sb_SendSelect"), {270, 1, 22, 22});
    Sb_SendAll = button(Panel_3, QStringLiteral("Sb_SendAll"), {292, 1, 22, 22});
    Sb_CloseSelect = button(Panel_3, QStringLiteral("Sb_CloseSelect"), {326, 1, 22, 22});
    Sb_CloseAll = button(Panel_3, QStringLiteral("Sb_CloseAll"), {348, 1, 22, 22});
    UsersCheckListBox =
        clientList(Panel_Net, QStringLiteral("UsersCheckListBox"), {4, 26, 370, 84});
    Scroll_1 = pageButtons(Panel_Net, 1, {354, 28});

    Panel6 = panel(Panel_Net, QStringLiteral("Panel6"), {380, 4, 386, 106}, SkinColors::GroupBlue);
    Panel_Indicator_Net = new QFrame(Panel6);
    Panel_Indicator_Net->setObjectName(QStringLiteral("Panel_Indicator_Net"));
    Panel_Indicator_Net->setGeometry(2, 2, 24, 24);
    Indicator_Net = new QFrame(Panel_Indicator_Net);
    Indicator_Net->setObjectName(QStringLiteral("Indicator_Net"));
    Indicator_Net->setGeometry(2, 2, 20, 20);
    Cb_AutoSocket = checkbox(Panel6, QStringLiteral("Cb_AutoSocket"), QStringLiteral("Автоконнект"),
                             {2, 34, 150, 18});
    Lbl8 = caption(Panel6, QStringLiteral("Lbl8"), QStringLiteral("При ошибке коннекта:"), {4, 60});
    Cb_SocketJurnal = checkbox(Panel6, QStringLiteral("Cb_SocketJurnal"),
                               QStringLiteral("Запись в Журнал событий"), {2, 76, 180, 14});
    Cb_SocketError = checkbox(Panel6, QStringLiteral("Cb_SocketError"),
                              QStringLiteral("Показать предупреждение"), {2, 90, 180, 14});
    Lbl10 = caption(Panel6, QStringLiteral("Lbl10"), QStringLiteral("Текущий сокет:"), {220, 5});
    Panel_ServerPort = new QFrame(Panel6);
    Panel_ServerPort->setObjectName(QStringLiteral("Panel_ServerPort"));
    Panel_ServerPort->setGeometry(220, 20, 160, 22);
    Edit_ServerPort =
        field(Panel_ServerPort, QStringLiteral("Edit_ServerPort"), {2, 1, 156, 20}, false);

    // The rail behind the two socket buttons: a cap at each end, fillers between.
    constexpr int RailLeft = 220;
    constexpr int RailRight = 380;
    constexpr int CapWidth = 6;
    constexpr int FillerWidth = 10;
    SkinParts::picture(Panel6, QStringLiteral("Img_Rail_Left"), {RailLeft, 62, CapWidth, 40});
    for (int x = RailLeft + CapWidth, n = 1; x < RailRight - CapWidth; x += FillerWidth, ++n)
        SkinParts::picture(Panel6, QStringLiteral("Img_Rail_%1").arg(n),
                           {x, 62, std::min(FillerWidth, RailRight - CapWidth - x), 40});
    SkinParts::picture(Panel6, QStringLiteral("Img_Rail_Right"),
                       {RailRight - CapWidth, 62, CapWidth, 40});

    Lbl9 = caption(Panel6, QStringLiteral("Lbl9"), QStringLiteral("Старт"), {234, CaptionTop});
    Sb_Socket_Connect = button(Panel6, QStringLiteral("Sb_Socket_Connect"), {235, 62, 40, 40});
    Lbl12 = caption(Panel6, QStringLiteral("Lbl12"), QStringLiteral("РеКоннект"), {316, 48});
    Sb_Socket_ReConnect = button(Panel6, QStringLiteral("Sb_Socket_ReConnect"), {325, 62, 40, 40});

    Panel_1 = panel(Panel_Net, QStringLiteral("Panel_1"), {4, 127, 370, 24}, SkinColors::GroupBlue);
    Lbl23 = caption(Panel_1, QStringLiteral("Lbl23"),
                    QStringLiteral("Все зарегистрированные клиенты сети:"), {4, 5});
    Sb_UserMinus = button(Panel_1, QStringLiteral("Sb_UserMinus"), {326, 1, 22, 22});
    Sb_UserPlus = button(Panel_1, QStringLiteral("Sb_UserPlus"), {348, 1, 22, 22});
    UsersListBox = clientList(Panel_Net, QStringLiteral("UsersListBox"), {4, 149, 370, 84});
    Scroll_2 = pageButtons(Panel_Net, 2, {354, 151});

    Panel4 =
        panel(Panel_Net, QStringLiteral("Panel4"), {380, 127, 386, 106}, SkinColors::GroupBlue);
    Lbl7 = SkinParts::text(Panel4, QStringLiteral("Lbl7"), QString(), {4, 2},
                           SkinColors::HeadingYellow, false);
    Lbl6 = caption(Panel4, QStringLiteral("Lbl6"), QStringLiteral("Пароль клиента:"), {180, 18});
    auto* passwordPanel = new QFrame(Panel4);
    passwordPanel->setObjectName(QStringLiteral("Panel_UserPassw"));
    passwordPanel->setGeometry(180, 32, 198, 20);
    UserPasswLabeledEdit =
        field(passwordPanel, QStringLiteral("UserPasswLabeledEdit"), {0, 0, 198, 20}, false);
    passwordLength = new NameLengthValidator(PasswordTypedLength, UserPasswLabeledEdit);
    UserPasswLabeledEdit->setValidator(passwordLength);
    Lbl1 = caption(Panel4, QStringLiteral("Lbl1"), QStringLiteral("Команды:"), {4, 32});
    for (int n = 1; n <= 4; ++n)
        CommandCheckBox[static_cast<size_t>(n - 1)] =
            checkbox(Panel4, QStringLiteral("Command%1CheckBox").arg(n),
                     QStringLiteral("Команда %1").arg(n), {2, 34 + 14 * n, 150, 14});

    Panel7 = panel(dialog, QStringLiteral("Panel7"), {19, 184, 420, 106}, SkinColors::GroupBlue);
    Panel7->setFrameShape(QFrame::Box);
    Lbl11 = SkinParts::text(Panel7, QStringLiteral("Lbl11"), QStringLiteral("Новый клиент"),
                            {12, 8}, SkinColors::HeadingYellow, false);
    Edit_New = field(Panel7, QStringLiteral("Edit_New"), {12, 30, 396, 20}, false);
    Sb_Ok = textButton(Panel7, QStringLiteral("Sb_Ok"), QStringLiteral("Да"), {240, 64, 75, 30});
    Sb_Cancel =
        textButton(Panel7, QStringLiteral("Sb_Cancel"), QStringLiteral("Нет"), {333, 64, 75, 30});
    Panel7->hide();

    Lbl_ClientAction = SkinParts::text(dialog, QStringLiteral("Lbl_ClientAction"),
                                       QStringLiteral("Действия клиентов:"), {15, 326},
                                       SkinColors::GroupBlue, false);
    ClientActionMemo = new QPlainTextEdit(dialog);
    ClientActionMemo->setObjectName(QStringLiteral("ClientActionMemo"));
    ClientActionMemo->setGeometry(15, 344, 912, 112);
    ClientActionMemo->setReadOnly(true);
    ClientActionMemo->setFont(FormFont("Verdana", 11));
    ClientActionMemo->setStyleSheet(SkinParts::fieldStyle("QPlainTextEdit"));
}
