// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/ScheduleForm.h"

#include "core/Clock.h"
#include "schedule/ScheduleCalendar.h"
#include "schedule/ScheduleWords.h"

#include <cmath>

using ScheduleWords::Word;

namespace {

constexpr int WeekDays = 7;

bool followsSun(const SchedulePlan& plan) {
    return plan.start.kind != PlanStart::Kind::Clock || plan.end.kind == PlanEnd::Kind::Sunrise;
}

QString degreesText(double value) {
    return QString::number(value, 'g', 10);
}

bool near(const ScheduleLocation& a, const ScheduleLocation& b) {
    // Stored coordinates carry six decimals; the cities' two must still be found.
    return std::abs(a.latitude - b.latitude) < 1e-6 && std::abs(a.longitude - b.longitude) < 1e-6;
}

} // namespace

ScheduleForm::ScheduleForm(const Language& language, const Clock& clock, QTimeZone zone,
                           Current current, Apply apply)
    : m_language(language)
    , m_clock(clock)
    , m_zone(std::move(zone))
    , m_current(std::move(current))
    , m_apply(std::move(apply)) {}

void ScheduleForm::reload() {
    const ScheduleSettings settings = m_current ? m_current() : ScheduleSettings();
    m_enabled = settings.enabled;
    m_note.clear();
    const ScheduleTextParse parsed = ScheduleText::parse(settings.rules);
    m_rules = parsed.rules.value_or(ScheduleRules());
    if (!parsed.rules)
        m_note = ScheduleWords::word(Word::StoredUnreadable, m_language)
                     .arg(ScheduleWords::reason(parsed.problem, m_language));
    m_latitude = settings.location ? degreesText(settings.location->latitude) : QString();
    m_longitude = settings.location ? degreesText(settings.location->longitude) : QString();
    emit changed();
}

void ScheduleForm::setEnabled(bool enabled) {
    m_enabled = enabled;
    edited();
}

int ScheduleForm::addPlan() {
    SchedulePlan plan;
    plan.days = ScheduleDays::weekdays(0x7F);
    plan.start.clock = QTime(19, 0);
    plan.end.clock = QTime(23, 0);
    m_rules.plans.append(plan);
    edited();
    return int(m_rules.plans.size()) - 1;
}

void ScheduleForm::removePlan(int index) {
    if (index < 0 || index >= m_rules.plans.size())
        return;
    m_rules.plans.removeAt(index);
    edited();
}

void ScheduleForm::setPlan(int index, const SchedulePlan& plan) {
    if (index < 0 || index >= m_rules.plans.size() || m_rules.plans[index] == plan)
        return;
    m_rules.plans[index] = plan;
    edited();
}

QStringList ScheduleForm::planLines() const {
    QStringList lines;
    for (const SchedulePlan& plan : m_rules.plans)
        lines << ScheduleWords::plan(plan, m_language);
    return lines;
}

int ScheduleForm::addQuiet() {
    m_rules.quiet.append({QTime(13, 0), QTime(15, 0)});
    edited();
    return int(m_rules.quiet.size()) - 1;
}

void ScheduleForm::removeQuiet(int index) {
    if (index < 0 || index >= m_rules.quiet.size())
        return;
    m_rules.quiet.removeAt(index);
    edited();
}

void ScheduleForm::setQuiet(int index, const QuietHours& quiet) {
    if (index < 0 || index >= m_rules.quiet.size() || m_rules.quiet[index] == quiet)
        return;
    m_rules.quiet[index] = quiet;
    edited();
}

QStringList ScheduleForm::quietLines() const {
    QStringList lines;
    for (const QuietHours& quiet : m_rules.quiet)
        lines << ScheduleWords::quiet(quiet);
    return lines;
}

QStringList ScheduleForm::cityNames() const {
    QStringList names;
    for (const ScheduleCity& city : scheduleCities())
        names << (m_language == Language::Russian ? city.russian : city.english);
    return names;
}

int ScheduleForm::city() const {
    const auto where = place(nullptr);
    if (!where)
        return -1;
    const QList<ScheduleCity>& cities = scheduleCities();
    for (int index = 0; index < cities.size(); ++index) {
        if (near(cities[index].location, *where))
            return index;
    }
    return -1;
}

void ScheduleForm::chooseCity(int index) {
    const QList<ScheduleCity>& cities = scheduleCities();
    if (index < 0 || index >= cities.size())
        return;
    typeCoordinates(degreesText(cities[index].location.latitude),
                    degreesText(cities[index].location.longitude));
}

void ScheduleForm::typeCoordinates(const QString& latitude, const QString& longitude) {
    if (latitude == m_latitude && longitude == m_longitude)
        return;
    m_latitude = latitude;
    m_longitude = longitude;
    edited();
}

std::optional<ScheduleLocation> ScheduleForm::place(QString* problem) const {
    QString why;
    std::optional<ScheduleLocation> where;
    const QString latitude = m_latitude.trimmed();
    const QString longitude = m_longitude.trimmed();
    const auto degrees = [&why, this](const QString& text) {
        bool number = false;
        const double value = QString(text).replace(u',', u'.').toDouble(&number);
        if (!number && why.isEmpty())
            why = ScheduleWords::word(Word::NotANumber, m_language).arg(text);
        return value;
    };
    if (latitude.isEmpty() != longitude.isEmpty()) {
        why = ScheduleWords::word(Word::HalfPlace, m_language);
    } else if (!latitude.isEmpty()) {
        const double north = degrees(latitude);
        const double east = degrees(longitude);
        if (why.isEmpty())
            why = ScheduleWords::reason(ScheduleLocation::check(north, east), m_language);
        if (why.isEmpty())
            where = ScheduleLocation{north, east};
    }
    if (problem)
        *problem = why;
    return where;
}

ScheduleSettings ScheduleForm::settings() const {
    return {m_enabled, text(), place(nullptr)};
}

QString ScheduleForm::problem() const {
    QString why;
    const auto where = place(&why);
    if (!why.isEmpty())
        return why;
    for (int index = 0; index < m_rules.plans.size(); ++index) {
        const SchedulePlan& plan = m_rules.plans[index];
        const QString number = QString::number(index + 1);
        if (!plan.days.isStretch() && plan.days.weekdayMask() == 0)
            return ScheduleWords::word(Word::NoDays, m_language).arg(number);
        if (followsSun(plan) && !where)
            return ScheduleWords::word(Word::NeedsPlace, m_language).arg(number);
    }
    // The text form is what is kept: what it refuses cannot be applied.
    const ScheduleTextParse parsed = ScheduleText::parse(text());
    return ScheduleWords::reason(parsed.problem, m_language);
}

QStringList ScheduleForm::week() const {
    if (!problem().isEmpty())
        return {};
    const QDate today = m_clock.now().toTimeZone(m_zone).date();
    const ScheduleCalendar calendar(m_rules, place(nullptr).value_or(ScheduleLocation()), m_zone);
    const ScheduleSpan span = calendar.days(today, today.addDays(WeekDays - 1));
    QStringList lines;
    for (const ScheduleInterval& interval : span.intervals)
        lines << ScheduleWords::interval(interval, m_zone, m_language);
    for (const ScheduleNote& note : span.notes)
        lines << ScheduleWords::note(note, m_language);
    if (lines.isEmpty())
        lines << ScheduleWords::word(Word::NothingThisWeek, m_language);
    return lines;
}

bool ScheduleForm::apply() {
    const QString why = problem();
    if (why.isEmpty()) {
        const QString refusal = m_apply ? m_apply(settings()) : QString();
        m_note = refusal.isEmpty() ? ScheduleWords::word(Word::Applied, m_language) : refusal;
        emit changed();
        return refusal.isEmpty();
    }
    m_note = why;
    emit changed();
    return false;
}

void ScheduleForm::edited() {
    // What was applied or refused no longer describes what is shown.
    m_note.clear();
    emit changed();
}
