// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramRun.h"
#include "schedule/ScheduleSettings.h"
#include "schedule/TfmSchedule.h"
#include "support/TempStore.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QAction* scheduleMenuEntry() {
    for (QWidget* widget : QApplication::allWidgets()) {
        if (QAction* entry = widget->findChild<QAction*>(QStringLiteral("MenuItem_Schedule")))
            return entry;
    }
    return nullptr;
}

// The window shows the schedule in force and hands it back to it, which keeps it in the store.
TEST(ScheduleWindowProgram, ShowsTheStoredScheduleAndSavesWhatIsApplied) {
    TempStore temp;
    const ScheduleSettings stored{true, QStringLiteral("sat 18:00..+60"),
                                  ScheduleLocation{52.52, 13.4}};
    ASSERT_EQ(ScheduleSettingsStore(&temp.store()).save(stored), QString());
    ProgramRun program(temp.store());
    QString shown;
    ASSERT_TRUE(program.run([&](Program& p) {
        TfmSchedule* window = p.windows().fmSchedule;
        QAction* entry = scheduleMenuEntry();
        ASSERT_NE(entry, nullptr);
        QTimer::singleShot(50, [&] {
            shown = window->form().text();
            window->findChild<QCheckBox*>(QStringLiteral("Cb_Enabled"))->click();
            window->findChild<QPushButton*>(QStringLiteral("Sb_Ok"))->click();
        });
        entry->trigger();
        EXPECT_FALSE(window->isVisible());
    }));
    EXPECT_EQ(shown, stored.rules);
    ScheduleSettings saved;
    EXPECT_EQ(ScheduleSettingsStore(&temp.store()).load(saved), QString());
    EXPECT_EQ(saved, (ScheduleSettings{false, stored.rules, stored.location}));
}

} // namespace
