// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/EveningSchedule.h"

#include "core/Clock.h"
#include "core/LogCategories.h"
#include "core/ProgramControl.h"
#include "core/ProgramState.h"
#include "core/WallClockAlarm.h"
#include "ghosts/Attraction.h"
#include "ghosts/Ghosts.h"
#include "schedule/ScheduleSettingsCheck.h"

#include <QTimer>

EveningSchedule::EveningSchedule(ProgramState& state, const PlatformServices& platform,
                                 Attraction& attraction, Ghosts& ghosts, ProgramControl& control)
    : m_state(state)
    , m_store(platform.store)
    , m_clock(requireService(platform.clock, "The evening schedule", "clock"))
    , m_attraction(attraction)
    , m_ghosts(ghosts)
    , m_control(control)
    , m_alarm(platform.alarm ? platform.alarm() : nullptr) {
    if (m_alarm) {
        connect(m_alarm.get(), &WallClockAlarm::due, this, &EveningSchedule::evaluate);
        connect(m_alarm.get(), &WallClockAlarm::clockChanged, this, [this] {
            qCInfo(lcSchedule) << "the clock was set; plans worked out again";
            evaluate();
        });
    }
    connect(&m_attraction, &Attraction::runningChanged, this, &EveningSchedule::attractionChanged);
    m_ghosts.setQuietHours([this] { return quietUntil(); });
    // Queued: the dialog is still tearing down when it counts itself out.
    m_state.DialogOpen.setAllClosedListener(
        [this] { QTimer::singleShot(0, this, &EveningSchedule::evaluate); });
}

EveningSchedule::~EveningSchedule() {
    m_state.DialogOpen.setAllClosedListener({});
    m_ghosts.setQuietHours({});
    m_attraction.scheduler().setLimitLifted(false);
    if (m_loaded)
        saveSettings();
}

void EveningSchedule::loadSettings() {
    ScheduleSettings loaded;
    if (const QString problem = ScheduleSettingsStore(m_store).load(loaded); !problem.isEmpty())
        qCWarning(lcSchedule).noquote() << problem;
    m_loaded = true;
    takeSettings(loaded);
}

void EveningSchedule::saveSettings() {
    m_loaded = false;
    if (const QString problem = ScheduleSettingsStore(m_store).save(m_settings); !problem.isEmpty())
        qCWarning(lcSchedule).noquote() << problem;
}

void EveningSchedule::start() {
    m_started = true;
    evaluate();
}

QString EveningSchedule::apply(const ScheduleSettings& settings) {
    const Language language = m_state.InterfaceLanguage;
    if (QString why = checkScheduleSettings(settings, language); !why.isEmpty())
        return why;
    if (const QString problem = ScheduleSettingsStore(m_store).save(settings); !problem.isEmpty())
        return QString::fromUtf8(language == Language::Russian ? "Расписание не сохранено: %1"
                                                               : "The schedule was not saved: %1")
            .arg(problem);
    takeSettings(settings);
    return {};
}

void EveningSchedule::takeSettings(const ScheduleSettings& settings) {
    m_settings = settings;
    m_calendar.reset();
    m_rules = {};
    if (const QString why = checkScheduleSettings(settings, Language::English); !why.isEmpty()) {
        qCWarning(lcSchedule).noquote() << why;
    } else {
        m_rules = *ScheduleText::parse(settings.rules).rules;
        m_calendar.emplace(m_rules, settings.location.value_or(ScheduleLocation{}),
                           QTimeZone::systemTimeZone());
    }
    // New rules make a new plan: a stop a person made in the old one holds no more.
    m_held.reset();
    evaluate();
}

ScheduleSpan EveningSchedule::span(QDate from, QDate to) const {
    return m_calendar ? m_calendar->days(from, to) : ScheduleSpan{};
}

QDateTime EveningSchedule::planEnds() const {
    return m_plan ? m_plan->end : QDateTime();
}

QDateTime EveningSchedule::nextPlanStart() const {
    return m_nextPlan ? m_nextPlan->at : QDateTime();
}

QDateTime EveningSchedule::quietUntil() const {
    // Checked against the clock too: a late alarm must not keep the ghosts quiet past the end.
    return m_quiet && m_quiet->contains(m_clock.now()) ? m_quiet->end : QDateTime();
}

void EveningSchedule::evaluate() {
    const QDateTime now = m_clock.now();
    ScheduleLookup plans;
    ScheduleLookup quiet;
    if (m_calendar && m_settings.enabled) {
        plans = m_calendar->plansAt(now);
        quiet = m_calendar->quietAt(now);
    }
    const std::optional<ScheduleInterval> before = m_plan;
    m_plan = plans.containing;
    // Straight from one plan into another (the clock moved on by a day) it keeps running. Only a
    // plan that ran to its end plays and opens what it says; one the clock was set back out of,
    // or new rules took away, just stops.
    if (before && !m_plan)
        m_stopDue = now >= before->end ? wordsOf(*before) : EndWords{};
    if (m_held != m_plan)
        m_held.reset();
    m_quiet = quiet.containing;
    m_nextPlan.reset();
    const ScheduleLookup afterPlan = m_plan ? m_calendar->plansAt(m_plan->end) : plans;
    if (afterPlan.next && afterPlan.next->starts)
        m_nextPlan = afterPlan.next;
    // A plan's run is not cut short by the attraction's 15/30/60 minutes: a person who said
    // "until 22:30" means it, and the duration still limits a run started by hand outside plans.
    m_attraction.scheduler().setLimitLifted(m_plan.has_value());
    armForNextChange(plans, quiet);
    act();
    emit changed();
}

void EveningSchedule::armForNextChange(const ScheduleLookup& plans, const ScheduleLookup& quiet) {
    if (!m_alarm || !m_started)
        return;
    QDateTime at;
    for (const std::optional<ScheduleChange>& change : {plans.next, quiet.next})
        if (change && (!at.isValid() || change->at < at))
            at = change->at;
    if (at.isValid())
        m_alarm->arm(at);
    else
        m_alarm->disarm();
}

void EveningSchedule::act() {
    if (!m_started)
        return;
    const auto run = [this](bool running) {
        m_ownChange = true;
        const ProgramControl::Outcome outcome =
            running ? m_control.startAttraction() : m_control.stopAttraction();
        m_ownChange = false;
        if (outcome == ProgramControl::Outcome::DialogOpen) {
            qCInfo(lcSchedule) << (running ? "start" : "stop")
                               << "waits until the dialogs are closed";
            return false;
        }
        return true;
    };
    if (m_stopDue && !m_plan) {
        if (m_state.AttractionRunning) {
            if (!run(false))
                return;
            qCInfo(lcSchedule) << "plan ended: attraction stopped";
            if (m_stopDue->finalSound)
                m_attraction.playFinalSound();
            if (m_stopDue->openDoor)
                m_attraction.openDoor();
        }
        m_stopDue.reset();
    }
    if (m_plan && !m_held && !m_state.AttractionRunning && run(true))
        qCInfo(lcSchedule).noquote()
            << QStringLiteral("attraction started: a plan is in force until %1")
                   .arg(m_plan->end.toString(QStringLiteral("ddd HH:mm")));
}

void EveningSchedule::attractionChanged(bool running) {
    if (m_ownChange || running)
        return;
    // Stopped by a person inside a plan: the stop holds until the next one. A start by hand
    // after it needs nothing: the plan's end stops the attraction either way.
    if (m_plan && m_plan->contains(m_clock.now()))
        m_held = m_plan;
}

EveningSchedule::EndWords EveningSchedule::wordsOf(const ScheduleInterval& interval) const {
    // Plans that run as one end as one: what any of them asks for is done.
    EndWords words;
    for (const int index : interval.plans) {
        if (index < 0 || index >= m_rules.plans.size())
            continue;
        words.finalSound = words.finalSound || m_rules.plans[index].finalSound;
        words.openDoor = words.openDoor || m_rules.plans[index].openDoor;
    }
    return words;
}
