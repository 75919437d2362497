// SPDX-License-Identifier: GPL-3.0-or-later
// The evening's plans driving the real attraction through the program's control, with the clock
// and the alarm in the test's hands and the settings in a real store.
#include "schedule/EveningSchedule.h"

#include "app/ProgramControlHub.h"
#include "core/ProgramState.h"
#include "ghosts/Attraction.h"
#include "ghosts/Ghosts.h"
#include "support/CorePlatform.h"
#include "support/FakeAlarm.h"
#include "support/RecordingSoundOutput.h"
#include "support/TempStore.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

const QDate Wednesday(2026, 12, 9);
// The input a postman with sensor choice 1 listens to.
constexpr int Doorbell = 6;

struct Evening {
    explicit Evening(const QString& rules, AttractionOptions options = {}) {
        fakes.random.script(std::deque<int>(64, 0));
        for (int n = 1; n <= GhostTable::GhostCount; ++n)
            ghosts.table()[n].ON = false;
        ghosts.table()[1] = {.Name = QStringLiteral("Anna"),
                             .ON = true,
                             .Regime = 1,
                             .Special = 4,
                             .Special_Dop_1 = 1};
        ghosts.setActListener(
            [this](const CurrentAct&, const QString&, const ActTrigger&, bool) { ++acts; });
        attraction.options() = options;
        control.setSchedule(&schedule);
        EXPECT_EQ(schedule.apply({.enabled = true, .rules = rules, .location = {}}), QString());
    }

    PlatformServices platform() {
        PlatformServices services = fakes.services(&temp.store());
        services.alarm = [this] {
            auto made = std::make_unique<FakeAlarm>();
            alarm = made.get();
            return made;
        };
        return services;
    }

    TempStore temp;
    CorePlatform fakes;
    FakeAlarm* alarm = nullptr;
    ProgramState state;
    RecordingSoundOutput sound;
    int doors = 0;
    int acts = 0;
    Ghosts ghosts{state, platform(), &sound};
    Attraction attraction{state, platform(), ghosts, [this] {
                              return ++doors, true;
                          }};
    ProgramControlHub control{state, attraction, ghosts, {}, {}};
    EveningSchedule schedule{state, platform(), attraction, ghosts, control};
};

enum class Do {
    Start,       // the program is up: the schedule takes over
    Due,         // the alarm goes off
    ClockSet,    // someone sets the clock
    Press,       // the start button
    OpenDialog,  // a settings dialog opens
    CloseDialog, // and closes; the event loop runs
    ActNow,      // a network client asks for an act
    Sensor,      // the input ghost 1 listens to turns on
    Ticks,       // the attraction's second timer, `ticks` times
};

struct Step {
    Do what;
    int day = 0; // after Wednesday
    QTime time = {};
    bool running = false;
    int sounds = 0; // played in all, the final sound included
    int doors = 0;
    int acts = 0;
    QTime armed = {}; // the alarm's moment (that day), when checked
    int ticks = 0;
};

struct Scenario {
    const char* name;
    const char* rules;
    AttractionOptions options;
    std::vector<Step> steps;
};

const AttractionOptions Plain;
// A quarter of an hour, with the door and the final sound at the end.
const AttractionOptions Everything{
    .Attraction_Time = 0, .Attraction_Over_1 = true, .Attraction_Over_2 = true};

const Scenario Scenarios[] = {
    {"a plan starts and stops the attraction and nothing else",
     "daily 18:00..22:00",
     Everything,
     {{Do::Start, 0, {12, 0}, false, 0, 0, 0, {18, 0}},
      {Do::Due, 0, {18, 0}, true, 0, 0, 0, {22, 0}},
      // The quarter of an hour does not end a plan's run; the waits go on in it.
      {Do::Ticks, 0, {}, true, 3, 0, 3, {}, 1000},
      {Do::Due, 0, {22, 0}, false, 3, 0, 3, {18, 0}}}},
    {"the plan's own words play and open at its end",
     "daily 18:00..22:00 final-sound open-door",
     Plain,
     {{Do::Start, 0, {18, 30}, true, 0, 0, 0, {22, 0}}, {Do::Due, 0, {22, 0}, false, 1, 1}}},
    {"a stop by hand holds until the next plan",
     "daily 18:00..22:00; daily 23:00..23:30",
     Plain,
     {{Do::Start, 0, {18, 0}, true},
      {Do::Press, 0, {19, 0}, false},
      {Do::ClockSet, 0, {19, 30}, false},
      {Do::Due, 0, {22, 0}, false},
      {Do::Due, 0, {23, 0}, true}}},
    {"a start by hand inside a plan still ends with it",
     "daily 18:00..22:00 open-door",
     Plain,
     {{Do::Start, 0, {18, 0}, true},
      {Do::Press, 0, {19, 0}, false},
      {Do::Press, 0, {19, 30}, true},
      {Do::Due, 0, {22, 0}, false, 0, 1}}},
    {"a start by hand outside plans runs on",
     "daily 18:00..22:00",
     Plain,
     {{Do::Start, 0, {12, 0}, false},
      {Do::Press, 0, {13, 0}, true},
      {Do::ClockSet, 0, {14, 0}, true}}},
    {"a clock set past the end stops at once, as the end",
     "daily 18:00..22:00 final-sound",
     Plain,
     {{Do::Start, 0, {18, 0}, true},
      {Do::ClockSet, 1, {3, 0}, false, 1, 0, 0, {18, 0}},
      {Do::ClockSet, 1, {4, 0}, false, 1}}},
    {"an alarm hours late stops and starts nothing twice",
     "daily 18:00..22:00 final-sound",
     Plain,
     {{Do::Start, 0, {18, 0}, true},
      {Do::Due, 1, {2, 0}, false, 1, 0, 0, {18, 0}},
      {Do::Due, 1, {19, 0}, true, 1, 0, 0, {22, 0}}}},
    {"a clock set back out of a plan stops without its words",
     "daily 18:00..22:00 final-sound open-door",
     Plain,
     {{Do::Start, 0, {18, 30}, true}, {Do::ClockSet, 0, {15, 0}, false, 0, 0, 0, {18, 0}}}},
    {"a clock set forward into a plan starts it",
     "daily 18:00..22:00",
     Plain,
     {{Do::Start, 0, {9, 0}, false, 0, 0, 0, {18, 0}},
      {Do::ClockSet, 0, {20, 0}, true, 0, 0, 0, {22, 0}}}},
    {"an open dialog holds the start and the stop back until it closes",
     "daily 18:00..22:00 final-sound",
     Plain,
     {{Do::Start, 0, {17, 0}, false},
      {Do::OpenDialog, 0, {17, 59}, false},
      {Do::Due, 0, {18, 0}, false},
      {Do::CloseDialog, 0, {18, 5}, true},
      {Do::OpenDialog, 0, {21, 0}, true},
      {Do::Due, 0, {22, 0}, true},
      {Do::CloseDialog, 0, {22, 10}, false, 1}}},
    {"quiet hours skip every act and the waits go on",
     "daily 18:00..22:00; quiet 19:00..20:00",
     Plain,
     {{Do::Start, 0, {18, 0}, true, 0, 0, 0, {19, 0}},
      {Do::ActNow, 0, {18, 10}, true, 1, 0, 1},
      {Do::Due, 0, {19, 0}, true, 1, 0, 1, {20, 0}},
      {Do::ActNow, 0, {19, 10}, true, 1, 0, 1},
      {Do::Sensor, 0, {19, 20}, true, 1, 0, 1},
      {Do::Ticks, 0, {}, true, 1, 0, 1, {}, 300},
      {Do::Due, 0, {20, 0}, true, 1, 0, 1, {22, 0}},
      {Do::Ticks, 0, {}, true, 2, 0, 2, {}, 300},
      {Do::ActNow, 0, {20, 10}, true, 3, 0, 3},
      {Do::Sensor, 0, {20, 20}, true, 4, 0, 4}}},
};

void perform(Evening& e, const Step& step) {
    if (step.time.isValid())
        e.fakes.clock.set(QDateTime(Wednesday.addDays(step.day), step.time));
    switch (step.what) {
    case Do::Start:
        e.schedule.start();
        break;
    case Do::Due:
        e.alarm->fire();
        break;
    case Do::ClockSet:
        e.alarm->clockSet();
        break;
    case Do::Press:
        e.attraction.toggle();
        break;
    case Do::OpenDialog:
        e.state.DialogOpen.opened();
        break;
    case Do::CloseDialog:
        e.state.DialogOpen.closed();
        QCoreApplication::processEvents();
        break;
    case Do::ActNow:
        e.control.ghostActNow({ActTrigger::Source::NetworkCommand});
        break;
    case Do::Sensor:
        e.ghosts.SensorAct(Doorbell, 3);
        break;
    case Do::Ticks:
        for (int n = 0; n < step.ticks; ++n)
            e.attraction.Timer_GhostTimer();
        break;
    }
}

TEST(EveningSchedule, DrivesTheAttractionThroughTheEvening) {
    for (const Scenario& scenario : Scenarios) {
        SCOPED_TRACE(scenario.name);
        Evening e(QString::fromUtf8(scenario.rules), scenario.options);
        ASSERT_NE(e.alarm, nullptr);
        int number = 0;
        for (const Step& step : scenario.steps) {
            SCOPED_TRACE(++number);
            perform(e, step);
            EXPECT_EQ(e.state.AttractionRunning, step.running);
            EXPECT_EQ(e.sound.played.size(), size_t(step.sounds));
            EXPECT_EQ(e.doors, step.doors);
            EXPECT_EQ(e.acts, step.acts);
            if (step.armed.isValid()) {
                const QDate day = Wednesday.addDays(step.day);
                const QDate armedDay = step.armed > step.time ? day : day.addDays(1);
                EXPECT_EQ(e.alarm->armedAt, QDateTime(armedDay, step.armed));
            }
        }
    }
}

TEST(EveningSchedule, RefusesSettingsItCannotFollowAndKeepsTheOld) {
    struct Case {
        ScheduleSettings settings;
        Language language;
        const char* reason;
    };
    const Case cases[] = {
        {{true, QStringLiteral("mon 18:00.."), {}}, Language::English, "cannot be read: entry 1"},
        {{false, QStringLiteral("mon dusk..22:00"), {}}, Language::English, "follows the sun"},
        {{true, QStringLiteral("mon dusk..22:00"), {}}, Language::Russian, "зависит от солнца"},
        {{true, QStringLiteral("mon 18:00..22:00"), ScheduleLocation{91, 0}},
         Language::Russian,
         "Место указано неверно"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        Evening e(QStringLiteral("daily 18:00..22:00"));
        e.state.InterfaceLanguage = c.language;
        const QString why = e.schedule.apply(c.settings);
        EXPECT_TRUE(why.contains(QString::fromUtf8(c.reason))) << why.toStdString();
        EXPECT_EQ(e.schedule.settings().rules, QStringLiteral("daily 18:00..22:00"));
        ScheduleSettings stored;
        ScheduleSettingsStore(&e.temp.store()).load(stored);
        EXPECT_EQ(stored.rules, QStringLiteral("daily 18:00..22:00"));
    }
}

} // namespace
