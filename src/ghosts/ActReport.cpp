// SPDX-License-Identifier: GPL-3.0-or-later
#include "ghosts/ActReport.h"

#include "core/CurrentAct.h"
#include "ghosts/GhostActor.h"
#include "ghosts/SensorHoldOff.h"

#include <array>

namespace {

constexpr std::array<const char*, 6> Hobbies = {"any hobby", "doorman", "electrician",
                                                "plumber",   "postman", "pedestrian"};
constexpr std::array<const char*, 5> Effects = {"in the middle", "on the left", "on the right",
                                                "sweep right to left", "sweep left to right"};
constexpr std::array<const char*, 6> Regimes = {"Never",   "Any time", "Night",
                                                "Daytime", "Timer",    "Occasionally"};

template <size_t N>
QString named(const std::array<const char*, N>& names, qint32 value) {
    if (value < 0 || size_t(value) >= N)
        return QStringLiteral("#%1").arg(value);
    return QString::fromLatin1(names[size_t(value)]);
}

QString hours(int from, int to) {
    return QStringLiteral("%1:00 to %2:00").arg(from).arg(to);
}

QString ghost(const CurrentAct& act, const QString& name) {
    return QStringLiteral("ghost %1 \"%2\"").arg(act.GhostNumber).arg(name);
}

QString regime(const CurrentAct& act, QTime now) {
    const QString it = QStringLiteral(", it is ") + now.toString(QStringLiteral("H:mm"));
    switch (act.Regime) {
    case 2:
        return QStringLiteral("Night (%1)").arg(hours(20, 8)) + it;
    case 3:
        return QStringLiteral("Daytime (%1)").arg(hours(8, 20)) + it;
    case 4:
        return QStringLiteral("Timer (%1)")
                   .arg(hours(GhostActor::wrapHour(act.Regime_Dop_1),
                              GhostActor::wrapHour(act.Regime_Dop_1a))) +
               it;
    case 5:
        return QStringLiteral("Occasionally, and the draw said no this time");
    default:
        return named(Regimes, act.Regime);
    }
}

} // namespace

namespace ActReport {

QString trigger(const ActTrigger& trigger) {
    switch (trigger.source) {
    case ActTrigger::Source::Scheduler:
        return QStringLiteral("triggered by the attraction");
    case ActTrigger::Source::Sensor:
        if (trigger.board == ActTrigger::HomeAutomationBoard)
            return QStringLiteral("triggered by sensor input %1 (home automation)")
                .arg(trigger.input + 1);
        // Counted from 1, as the ghost dialog's hint names the input to wire.
        return QStringLiteral("triggered by sensor input %1 (board %2)")
            .arg(trigger.input + 1)
            .arg(trigger.board);
    case ActTrigger::Source::NetworkCommand:
        return QStringLiteral("triggered by a network command");
    case ActTrigger::Source::SoundWindow:
        return QStringLiteral("triggered by the sound window");
    case ActTrigger::Source::HomeAutomation:
        return QStringLiteral("triggered by the home automation");
    }
    return {};
}

QString acted(const CurrentAct& act, const QString& name, const ActTrigger& cause) {
    const QString library = QStringLiteral("%1%2.gsn #%3")
                                .arg(act.Special)
                                .arg(act.SoundKind != 0 ? QLatin1Char('m') : QLatin1Char('b'))
                                .arg(act.SoundNumber);
    return QStringLiteral("%1: %2, %3, %4, %5")
        .arg(ghost(act, name), named(Hobbies, act.Special), library,
             named(Effects, act.StereoEffect), trigger(cause));
}

QString skipped(const CurrentAct& act, const QString& name, QTime now, const ActTrigger& cause) {
    return QStringLiteral("%1 skipped: working time %2; %3")
        .arg(ghost(act, name), regime(act, now), trigger(cause));
}

QString nobody(const ActTrigger& cause) {
    if (cause.source == ActTrigger::Source::Sensor)
        return QStringLiteral("no ghost acted: none switched on listens to that input, or each "
                              "answered in the last %1 s; %2")
            .arg(SensorHoldOff::HoldOffMs / 1000)
            .arg(trigger(cause));
    return QStringLiteral("no ghost acted: none is switched on; %1").arg(trigger(cause));
}

QString attractionStopped(const ActTrigger& cause) {
    return QStringLiteral("no ghost acted: the attraction is stopped; %1").arg(trigger(cause));
}

QString quietHours(const ActTrigger& cause, const QDateTime& until) {
    return QStringLiteral("no ghost acted: quiet hours until %1; %2")
        .arg(until.toString(QStringLiteral("H:mm")), trigger(cause));
}

} // namespace ActReport
