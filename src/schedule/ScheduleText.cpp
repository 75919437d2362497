// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/ScheduleText.h"

#include <QRegularExpression>
#include <QStringList>

#include <array>

namespace {

const std::array<QLatin1StringView, 7> DayNames = {
    QLatin1StringView("mon"), QLatin1StringView("tue"), QLatin1StringView("wed"),
    QLatin1StringView("thu"), QLatin1StringView("fri"), QLatin1StringView("sat"),
    QLatin1StringView("sun")};
constexpr int AllDays = 0x7F;

// Parsing a piece either gives its value or sets the reason.
struct Reader {
    QString problem;

    bool fail(const QString& why) {
        if (problem.isEmpty())
            problem = why;
        return false;
    }

    // Exactly two digits, then a colon, then two.
    std::optional<QTime> clock(QStringView text) {
        static const QRegularExpression shape(QStringLiteral("^([0-9]{2}):([0-9]{2})$"));
        const auto match = shape.match(text);
        if (!match.hasMatch()) {
            fail(QStringLiteral("\"%1\" is not a clock time HH:MM").arg(text));
            return std::nullopt;
        }
        const int hours = match.capturedView(1).toInt();
        const int minutes = match.capturedView(2).toInt();
        if (hours > 23 || minutes > 59) {
            fail(QStringLiteral("%1 is not a time of day").arg(text));
            return std::nullopt;
        }
        return QTime(hours, minutes);
    }

    // "" gives 0; otherwise a sign and one to four digits.
    std::optional<int> offset(QStringView text, QLatin1StringView word) {
        if (text.isEmpty())
            return 0;
        static const QRegularExpression shape(QStringLiteral("^[+-][0-9]{1,4}$"));
        if (!shape.match(text).hasMatch()) {
            fail(QStringLiteral("\"%1%2\" needs an offset such as %1-15 or %1+30").arg(word, text));
            return std::nullopt;
        }
        const int minutes = text.toInt();
        if (minutes < -ScheduleText::MaxOffsetMinutes || minutes > ScheduleText::MaxOffsetMinutes) {
            fail(QStringLiteral("offset %1 min is beyond %2 minutes")
                     .arg(text)
                     .arg(ScheduleText::MaxOffsetMinutes));
            return std::nullopt;
        }
        return minutes;
    }

    std::optional<int> weekdays(QStringView text) {
        if (text.compare(QLatin1StringView("daily"), Qt::CaseInsensitive) == 0)
            return AllDays;
        int mask = 0;
        for (QStringView name : text.split(u',')) {
            int index = 0;
            while (index < 7 && name.compare(DayNames[index], Qt::CaseInsensitive) != 0)
                ++index;
            if (index == 7) {
                fail(QStringLiteral("unknown day \"%1\" (mon, tue, wed, thu, fri, sat, sun, "
                                    "daily or MM-DD)")
                         .arg(name));
                return std::nullopt;
            }
            if (mask & (1 << index)) {
                fail(QStringLiteral("%1 is named twice").arg(DayNames[index]));
                return std::nullopt;
            }
            mask |= 1 << index;
        }
        return mask;
    }

    // MM-DD; must exist in a leap year so 02-29 is allowed.
    std::optional<int> monthDay(QStringView text) {
        static const QRegularExpression shape(QStringLiteral("^([0-9]{2})-([0-9]{2})$"));
        const auto match = shape.match(text);
        if (!match.hasMatch()) {
            fail(QStringLiteral("\"%1\" is not a date MM-DD").arg(text));
            return std::nullopt;
        }
        const int month = match.capturedView(1).toInt();
        const int day = match.capturedView(2).toInt();
        if (!QDate::isValid(2000, month, day)) {
            fail(QStringLiteral("%1 is not a date").arg(text));
            return std::nullopt;
        }
        return month * 100 + day;
    }

    std::optional<ScheduleDays> days(QStringView text) {
        if (text.isEmpty() || !text.front().isDigit()) {
            const auto mask = weekdays(text);
            if (!mask)
                return std::nullopt;
            return ScheduleDays::weekdays(*mask);
        }
        const qsizetype dots = text.indexOf(QLatin1StringView(".."));
        const auto from = monthDay(dots < 0 ? text : text.left(dots));
        if (!from)
            return std::nullopt;
        const auto to = dots < 0 ? from : monthDay(text.mid(dots + 2));
        if (!to)
            return std::nullopt;
        return ScheduleDays::stretch(*from / 100, *from % 100, *to / 100, *to % 100);
    }

    // A word with an optional offset after it: "sunset-15".
    static bool startsWithWord(QStringView text, QLatin1StringView word) {
        return text.startsWith(word, Qt::CaseInsensitive);
    }

    std::optional<PlanStart> start(QStringView text) {
        PlanStart start;
        QLatin1StringView word;
        if (startsWithWord(text, QLatin1StringView("sunset"))) {
            start.kind = PlanStart::Kind::Sunset;
            word = QLatin1StringView("sunset");
        } else if (startsWithWord(text, QLatin1StringView("dusk"))) {
            start.kind = PlanStart::Kind::Dusk;
            word = QLatin1StringView("dusk");
        } else {
            const auto time = clock(text);
            if (!time)
                return std::nullopt;
            start.clock = *time;
            return start;
        }
        const auto minutes = offset(text.mid(word.size()), word);
        if (!minutes)
            return std::nullopt;
        start.offsetMinutes = *minutes;
        return start;
    }

    std::optional<PlanEnd> end(QStringView text) {
        PlanEnd end;
        if (text.startsWith(u'+')) {
            static const QRegularExpression shape(QStringLiteral("^\\+[0-9]{1,5}$"));
            const int minutes = text.mid(1).toInt();
            if (!shape.match(text).hasMatch() || minutes < 1 ||
                minutes > ScheduleText::MaxDurationMinutes) {
                fail(QStringLiteral("duration \"%1\" must be +1 to +%2 minutes")
                         .arg(text)
                         .arg(ScheduleText::MaxDurationMinutes));
                return std::nullopt;
            }
            end.kind = PlanEnd::Kind::Duration;
            end.durationMinutes = minutes;
            return end;
        }
        if (startsWithWord(text, QLatin1StringView("sunrise"))) {
            const auto minutes = offset(text.mid(7), QLatin1StringView("sunrise"));
            if (!minutes)
                return std::nullopt;
            end.kind = PlanEnd::Kind::Sunrise;
            end.offsetMinutes = *minutes;
            return end;
        }
        const auto time = clock(text);
        if (!time)
            return std::nullopt;
        end.clock = *time;
        return end;
    }

    // "start..end" split once; each side parsed by the caller.
    bool span(QStringView text, QStringView& first, QStringView& second) {
        const qsizetype dots = text.indexOf(QLatin1StringView(".."));
        if (dots < 0)
            return fail(QStringLiteral("\"%1\" needs START..END").arg(text));
        first = text.left(dots);
        second = text.mid(dots + 2);
        return true;
    }

    bool entry(QStringView text, ScheduleRules& rules) {
        const QList<QStringView> words = text.split(u' ', Qt::SkipEmptyParts);
        if (words.size() < 2)
            return fail(QStringLiteral("needs DAYS START..END or quiet FROM..TO"));
        QStringView first;
        QStringView second;
        if (!span(words[1], first, second))
            return false;
        if (words[0].compare(QLatin1StringView("quiet"), Qt::CaseInsensitive) == 0) {
            const auto from = clock(first);
            const auto to = from ? clock(second) : std::nullopt;
            if (!to)
                return false;
            if (words.size() > 2)
                return fail(QStringLiteral("quiet hours take no \"%1\"").arg(words[2]));
            if (*from == *to)
                return fail(QStringLiteral("quiet hours from %1 to %1 are empty").arg(first));
            rules.quiet.append({*from, *to});
            return true;
        }
        const auto planDays = days(words[0]);
        const auto planStart = planDays ? start(first) : std::nullopt;
        const auto planEnd = planStart ? end(second) : std::nullopt;
        if (!planEnd)
            return false;
        SchedulePlan plan{*planDays, *planStart, *planEnd};
        for (QStringView word : words.mid(2)) {
            if (!endAction(word, plan))
                return false;
        }
        rules.plans.append(plan);
        return true;
    }

    bool endAction(QStringView word, SchedulePlan& plan) {
        bool* flag = nullptr;
        if (word.compare(QLatin1StringView("final-sound"), Qt::CaseInsensitive) == 0)
            flag = &plan.finalSound;
        else if (word.compare(QLatin1StringView("open-door"), Qt::CaseInsensitive) == 0)
            flag = &plan.openDoor;
        else
            return fail(QStringLiteral("unknown word \"%1\" (final-sound, open-door)").arg(word));
        if (*flag)
            return fail(QStringLiteral("%1 is named twice").arg(word));
        *flag = true;
        return true;
    }
};

QString withOffset(QLatin1StringView word, int minutes) {
    if (minutes == 0)
        return word;
    return QStringLiteral("%1%2%3")
        .arg(word, minutes > 0 ? QStringLiteral("+") : QString())
        .arg(minutes);
}

QString clockText(QTime time) {
    return time.toString(QStringLiteral("HH:mm"));
}

QString monthDayText(int month, int day) {
    return QStringLiteral("%1-%2")
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(day, 2, 10, QLatin1Char('0'));
}

QString daysText(const ScheduleDays& days) {
    if (days.isStretch()) {
        const QString from = monthDayText(days.fromMonth(), days.fromDay());
        const QString to = monthDayText(days.toMonth(), days.toDay());
        return from == to ? from : from + QStringLiteral("..") + to;
    }
    if (days.weekdayMask() == AllDays)
        return QStringLiteral("daily");
    QStringList names;
    for (int index = 0; index < 7; ++index) {
        if (days.weekdayMask() & (1 << index))
            names.append(DayNames[index]);
    }
    return names.join(u',');
}

} // namespace

ScheduleTextParse ScheduleText::parse(const QString& text) {
    if (text.size() > MaxBytes || text.toUtf8().size() > MaxBytes)
        return {std::nullopt, QStringLiteral("schedule is longer than %1 bytes").arg(MaxBytes)};
    ScheduleRules rules;
    const QList<QStringView> entries = QStringView(text).split(u';');
    int number = 0;
    for (QStringView entry : entries) {
        ++number;
        entry = entry.trimmed();
        // "a; b;" and a blank text are fine: nothing is lost by an empty entry.
        if (entry.isEmpty())
            continue;
        Reader reader;
        if (!reader.entry(entry, rules))
            return {std::nullopt, QStringLiteral("entry %1 \"%2\": %3")
                                      .arg(number)
                                      .arg(entry.left(40), reader.problem)};
    }
    return {rules, {}};
}

QString ScheduleText::write(const SchedulePlan& plan) {
    QString start;
    switch (plan.start.kind) {
    case PlanStart::Kind::Clock:
        start = clockText(plan.start.clock);
        break;
    case PlanStart::Kind::Sunset:
        start = withOffset(QLatin1StringView("sunset"), plan.start.offsetMinutes);
        break;
    case PlanStart::Kind::Dusk:
        start = withOffset(QLatin1StringView("dusk"), plan.start.offsetMinutes);
        break;
    }
    QString end;
    switch (plan.end.kind) {
    case PlanEnd::Kind::Clock:
        end = clockText(plan.end.clock);
        break;
    case PlanEnd::Kind::Sunrise:
        end = withOffset(QLatin1StringView("sunrise"), plan.end.offsetMinutes);
        break;
    case PlanEnd::Kind::Duration:
        end = QStringLiteral("+%1").arg(plan.end.durationMinutes);
        break;
    }
    QString text = QStringLiteral("%1 %2..%3").arg(daysText(plan.days), start, end);
    if (plan.finalSound)
        text += QStringLiteral(" final-sound");
    if (plan.openDoor)
        text += QStringLiteral(" open-door");
    return text;
}

QString ScheduleText::write(const QuietHours& quiet) {
    return QStringLiteral("quiet %1..%2").arg(clockText(quiet.from), clockText(quiet.to));
}

QString ScheduleText::write(const ScheduleRules& rules) {
    QStringList entries;
    for (const SchedulePlan& plan : rules.plans)
        entries.append(write(plan));
    for (const QuietHours& quiet : rules.quiet)
        entries.append(write(quiet));
    return entries.join(QStringLiteral("; "));
}
