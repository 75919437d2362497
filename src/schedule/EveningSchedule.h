// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PlatformServices.h"
#include "schedule/ScheduleCalendar.h"
#include "schedule/ScheduleSettings.h"

#include <QObject>

#include <memory>
#include <optional>

class Attraction;
class Ghosts;
class ProgramControl;
class WallClockAlarm;
struct ProgramState;

// The evening's plans at work: the attraction starts by itself when a plan comes into force and
// stops at its end, and the ghosts keep still in quiet hours. It starts and stops through the
// program's control, as the button would, so a dialog open at that moment holds the change back
// until the last dialog closes. One alarm on the wall clock wakes it at the next change of plans
// or quiet hours, or when the clock is set; each wake works out afresh where "now" stands, so a
// clock moved by hours neither skips a stop nor makes up for missed acts.
//
// A person still has the last word: a start inside a plan ends at the plan's end, a stop inside a
// plan holds until the next plan, and a start outside any plan runs as it always did.
class EveningSchedule : public QObject {
    Q_OBJECT
public:
    EveningSchedule(ProgramState& state, const PlatformServices& platform, Attraction& attraction,
                    Ghosts& ghosts, ProgramControl& control);
    ~EveningSchedule() override;
    EveningSchedule(const EveningSchedule&) = delete;
    EveningSchedule& operator=(const EveningSchedule&) = delete;

    void loadSettings();
    void saveSettings();
    // Takes over from the settings: from now on plans start and stop the attraction.
    void start();

    const ScheduleSettings& settings() const { return m_settings; }
    // Checks and takes new settings, saves them and works out the plans again; empty, or why
    // not in the interface language.
    QString apply(const ScheduleSettings& settings);
    // The plans on these days, for a week's view; empty when the rules cannot be laid out.
    ScheduleSpan span(QDate from, QDate to) const;

    // Each invalid when there is none: the end of the plan in force, the next plan's start, the
    // end of the quiet hours in force.
    QDateTime planEnds() const;
    QDateTime nextPlanStart() const;
    QDateTime quietUntil() const;

signals:
    void changed();

private:
    struct EndWords {
        bool finalSound = false;
        bool openDoor = false;
    };

    void takeSettings(const ScheduleSettings& settings);
    void evaluate();
    void act();
    void attractionChanged(bool running);
    void armForNextChange(const ScheduleLookup& plans, const ScheduleLookup& quiet);
    EndWords wordsOf(const ScheduleInterval& interval) const;

    ProgramState& m_state;
    SettingsStore* m_store;
    const Clock& m_clock;
    Attraction& m_attraction;
    Ghosts& m_ghosts;
    ProgramControl& m_control;
    std::unique_ptr<WallClockAlarm> m_alarm;

    ScheduleSettings m_settings;
    ScheduleRules m_rules;
    std::optional<ScheduleCalendar> m_calendar; // whenever the rules can be laid out
    bool m_loaded = false;
    bool m_started = false;

    std::optional<ScheduleInterval> m_plan;   // in force at the last look
    std::optional<ScheduleInterval> m_held;   // a plan a person stopped the attraction in
    std::optional<ScheduleChange> m_nextPlan; // after the last look
    std::optional<ScheduleInterval> m_quiet;  // in force at the last look
    std::optional<EndWords> m_stopDue;        // a plan ended and the attraction still runs
    bool m_ownChange = false;                 // the schedule itself starts or stops it
};
