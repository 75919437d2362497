// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/SchedulePlanEditor.h"

#include "schedule/ScheduleControls.h"
#include "schedule/ScheduleText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimeEdit>

#include <memory>
#include <vector>

namespace SchedulePlanEditor {

void show(const ScheduleControls& ui, const SchedulePlan* shown) {
    const bool chosen = shown != nullptr;
    std::vector<QWidget*> editor = {ui.Rb_Weekdays,      ui.Rb_Dates,      ui.Date_From,
                                    ui.Date_To,          ui.Combo_Start,   ui.Time_Start,
                                    ui.Spin_StartOffset, ui.Combo_End,     ui.Time_End,
                                    ui.Spin_EndMinutes,  ui.Cb_FinalSound, ui.Cb_OpenDoor};
    editor.insert(editor.end(), ui.Cb_Day.begin(), ui.Cb_Day.end());
    // Showing the plan is no edit of it.
    std::vector<std::unique_ptr<QSignalBlocker>> quiet;
    for (QWidget* control : editor) {
        control->setEnabled(chosen);
        quiet.push_back(std::make_unique<QSignalBlocker>(control));
    }
    const SchedulePlan plan = chosen ? *shown : SchedulePlan();
    for (QCheckBox* box : ui.Cb_Day)
        box->setEnabled(chosen && !plan.days.isStretch());
    ui.Date_From->setEnabled(chosen && plan.days.isStretch());
    ui.Date_To->setEnabled(chosen && plan.days.isStretch());

    const ScheduleDays& days = plan.days;
    ui.Rb_Weekdays->setChecked(!days.isStretch());
    ui.Rb_Dates->setChecked(days.isStretch());
    for (int day = 0; day < 7; ++day)
        ui.Cb_Day[std::size_t(day)]->setChecked(!days.isStretch() &&
                                                (days.weekdayMask() & (1 << day)));
    if (days.isStretch()) {
        ui.Date_From->setDate(QDate(2024, days.fromMonth(), days.fromDay()));
        ui.Date_To->setDate(QDate(2024, days.toMonth(), days.toDay()));
    }
    const bool clockStart = plan.start.kind == PlanStart::Kind::Clock;
    ui.Combo_Start->setCurrentIndex(int(plan.start.kind));
    ui.Time_Start->setVisible(clockStart);
    ui.Spin_StartOffset->setVisible(!clockStart);
    if (clockStart)
        ui.Time_Start->setTime(plan.start.clock);
    else
        ui.Spin_StartOffset->setValue(plan.start.offsetMinutes);

    ui.Combo_End->setCurrentIndex(int(plan.end.kind));
    ui.Time_End->setVisible(plan.end.kind == PlanEnd::Kind::Clock);
    ui.Spin_EndMinutes->setVisible(plan.end.kind != PlanEnd::Kind::Clock);
    if (plan.end.kind == PlanEnd::Kind::Clock) {
        ui.Time_End->setTime(plan.end.clock);
    } else if (plan.end.kind == PlanEnd::Kind::Sunrise) {
        ui.Spin_EndMinutes->setRange(-ScheduleText::MaxOffsetMinutes,
                                     ScheduleText::MaxOffsetMinutes);
        ui.Spin_EndMinutes->setValue(plan.end.offsetMinutes);
    } else {
        ui.Spin_EndMinutes->setRange(1, ScheduleText::MaxDurationMinutes);
        ui.Spin_EndMinutes->setValue(plan.end.durationMinutes);
    }
    ui.Cb_FinalSound->setChecked(plan.finalSound);
    ui.Cb_OpenDoor->setChecked(plan.openDoor);
}

SchedulePlan read(const ScheduleControls& ui, SchedulePlan plan) {
    if (ui.Rb_Dates->isChecked()) {
        const QDate from = ui.Date_From->date();
        const QDate to = ui.Date_To->date();
        plan.days = ScheduleDays::stretch(from.month(), from.day(), to.month(), to.day());
    } else {
        int mask = 0;
        for (int day = 0; day < 7; ++day)
            mask |= ui.Cb_Day[std::size_t(day)]->isChecked() ? 1 << day : 0;
        plan.days = ScheduleDays::weekdays(mask);
    }
    // A kind just chosen starts from its plain value rather than the other kind's number.
    const auto startKind = PlanStart::Kind(ui.Combo_Start->currentIndex());
    const bool sameStart = startKind == plan.start.kind;
    plan.start = {startKind, QTime(), 0};
    if (startKind == PlanStart::Kind::Clock)
        plan.start.clock = ui.Time_Start->time();
    else
        plan.start.offsetMinutes = sameStart ? ui.Spin_StartOffset->value() : 0;
    const auto endKind = PlanEnd::Kind(ui.Combo_End->currentIndex());
    const bool sameEnd = endKind == plan.end.kind;
    plan.end = {endKind, QTime(), 0, 0};
    if (endKind == PlanEnd::Kind::Clock)
        plan.end.clock = ui.Time_End->time();
    else if (endKind == PlanEnd::Kind::Sunrise)
        plan.end.offsetMinutes = sameEnd ? ui.Spin_EndMinutes->value() : 0;
    else
        plan.end.durationMinutes = sameEnd ? ui.Spin_EndMinutes->value() : 120;
    plan.finalSound = ui.Cb_FinalSound->isChecked();
    plan.openDoor = ui.Cb_OpenDoor->isChecked();
    return plan;
}

} // namespace SchedulePlanEditor
