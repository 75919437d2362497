// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/ScheduleControls.h"

#include "widgetkit/FormFont.h"
#include "widgetkit/GradientTitle.h"
#include "widgetkit/SkinColors.h"
#include "widgetkit/SkinParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimeEdit>

namespace {

using SkinParts::placed;

QPushButton* textButton(QWidget* parent, const char* name, const QRect& place) {
    QPushButton* button = SkinParts::textButton(parent, name, place);
    // Enter finishes what is typed in a field; it must not add an evening or close the window.
    button->setAutoDefault(false);
    return button;
}

QLabel* caption(QWidget* parent, const char* name, QPoint at) {
    return SkinParts::text(parent, QLatin1String(name), QString(), at, SkinColors::PaleText, false);
}

QCheckBox* box(QWidget* parent, const char* name, const QRect& place) {
    return SkinParts::checkbox(parent, QLatin1String(name), QString(), place);
}

QRadioButton* radio(QWidget* parent, const char* name, const QRect& place) {
    auto* button = placed(new QRadioButton(parent), name, place);
    QPalette colours = button->palette();
    colours.setColor(QPalette::WindowText, SkinColors::PaleText);
    button->setPalette(colours);
    return button;
}

QTimeEdit* clock(QWidget* parent, const char* name, const QRect& place) {
    auto* edit = placed(new QTimeEdit(parent), name, place);
    edit->setDisplayFormat(QStringLiteral("HH:mm"));
    edit->setWrapping(true);
    return edit;
}

// A day of every year: the year is a leap one, so 29 February can be chosen.
QDateEdit* dayOfYear(QWidget* parent, const char* name, const QRect& place) {
    auto* edit = placed(new QDateEdit(parent), name, place);
    edit->setDateRange(QDate(2024, 1, 1), QDate(2024, 12, 31));
    edit->setDisplayFormat(QStringLiteral("d MMM"));
    edit->setCurrentSection(QDateTimeEdit::DaySection);
    return edit;
}

const char* const SelectionRule = "selection-background-color: #D7EDFF; selection-color: #125BA1; ";

QListWidget* list(QWidget* parent, const char* name, const QRect& place) {
    auto* shown = placed(new QListWidget(parent), name, place);
    shown->setStyleSheet(SkinParts::fieldStyle("QListWidget", SelectionRule));
    shown->setTextElideMode(Qt::ElideRight);
    return shown;
}

} // namespace

ScheduleControls::ScheduleControls(QDialog* dialog) {
    Img_Fon = SkinParts::picture(dialog, QStringLiteral("Img_Fon"), {13, 40, 764, 410});
    Lbl_Title = new GradientTitle(dialog, {8, 0, 274, 25});
    Lbl_Title->setObjectName(QStringLiteral("Lbl_Title"));
    Cb_Enabled = box(dialog, "Cb_Enabled", {22, 46, 372, 20});

    Lbl_Plans = caption(dialog, "Lbl_Plans", {22, 72});
    List_Plans = list(dialog, "List_Plans", {22, 90, 372, 84});
    Sb_AddPlan = textButton(dialog, "Sb_AddPlan", {22, 178, 130, 24});
    Sb_RemovePlan = textButton(dialog, "Sb_RemovePlan", {158, 178, 130, 24});
    Rb_Weekdays = radio(dialog, "Rb_Weekdays", {22, 208, 200, 18});
    const char* const days[] = {"Cb_Day1", "Cb_Day2", "Cb_Day3", "Cb_Day4",
                                "Cb_Day5", "Cb_Day6", "Cb_Day7"};
    for (int day = 0; day < 7; ++day)
        Cb_Day[std::size_t(day)] = box(dialog, days[day], {40 + day * 50, 228, 50, 18});
    Rb_Dates = radio(dialog, "Rb_Dates", {22, 254, 110, 18});
    Date_From = dayOfYear(dialog, "Date_From", {134, 252, 100, 22});
    Lbl_DateTo = caption(dialog, "Lbl_DateTo", {242, 256});
    Date_To = dayOfYear(dialog, "Date_To", {274, 252, 100, 22});

    Lbl_Start = caption(dialog, "Lbl_Start", {22, 288});
    Combo_Start = placed(new QComboBox(dialog), "Combo_Start", {100, 284, 166, 24});
    Time_Start = clock(dialog, "Time_Start", {274, 284, 100, 24});
    Spin_StartOffset = placed(new QSpinBox(dialog), "Spin_StartOffset", {274, 284, 100, 24});
    Spin_StartOffset->setRange(-720, 720);
    Lbl_End = caption(dialog, "Lbl_End", {22, 318});
    Combo_End = placed(new QComboBox(dialog), "Combo_End", {100, 314, 166, 24});
    Time_End = clock(dialog, "Time_End", {274, 314, 100, 24});
    Spin_EndMinutes = placed(new QSpinBox(dialog), "Spin_EndMinutes", {274, 314, 100, 24});
    Cb_FinalSound = box(dialog, "Cb_FinalSound", {22, 346, 180, 18});
    Cb_OpenDoor = box(dialog, "Cb_OpenDoor", {208, 346, 186, 18});

    Lbl_Quiet = caption(dialog, "Lbl_Quiet", {410, 46});
    List_Quiet = list(dialog, "List_Quiet", {410, 64, 170, 64});
    Time_QuietFrom = clock(dialog, "Time_QuietFrom", {588, 64, 86, 24});
    Time_QuietTo = clock(dialog, "Time_QuietTo", {682, 64, 86, 24});
    Sb_AddQuiet = textButton(dialog, "Sb_AddQuiet", {588, 96, 86, 26});
    Sb_RemoveQuiet = textButton(dialog, "Sb_RemoveQuiet", {682, 96, 86, 26});

    Lbl_City = caption(dialog, "Lbl_City", {410, 142});
    Combo_City = placed(new QComboBox(dialog), "Combo_City", {500, 138, 268, 24});
    Lbl_Latitude = caption(dialog, "Lbl_Latitude", {410, 172});
    Edit_Latitude =
        SkinParts::field(dialog, QStringLiteral("Edit_Latitude"), {500, 168, 80, 22}, false);
    Lbl_Longitude = caption(dialog, "Lbl_Longitude", {592, 172});
    Edit_Longitude =
        SkinParts::field(dialog, QStringLiteral("Edit_Longitude"), {688, 168, 80, 22}, false);

    Lbl_Week = caption(dialog, "Lbl_Week", {410, 200});
    Text_Week = placed(new QLabel(dialog), "Text_Week", {410, 218, 358, 146});
    Text_Week->setStyleSheet(SkinParts::fieldStyle("QLabel", "padding: 2px 4px; "));
    Text_Week->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Text_Week->setWordWrap(true);

    Lbl_Note = caption(dialog, "Lbl_Note", {22, 372});
    Lbl_Note->setWordWrap(true);
    Lbl_Note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Lbl_Note->setGeometry(22, 372, 746, 36);
    Sb_Ok = textButton(dialog, "Sb_Ok", {22, 412, 130, 28});
    Sb_Apply = textButton(dialog, "Sb_Apply", {158, 412, 130, 28});
}
