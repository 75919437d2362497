// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/ScheduleWords.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <array>
#include <utility>

namespace ScheduleWords {
namespace {

struct Wording {
    Word which;
    const char16_t* english;
    const char16_t* russian;
};

constexpr Wording Wordings[] = {
    {Word::Title, u"Schedule", u"Расписание"},
    {Word::Enabled, u"Follow the schedule", u"Следовать расписанию"},
    {Word::Plans, u"Evenings:", u"Вечера:"},
    {Word::Add, u"Add", u"Добавить"},
    {Word::Remove, u"Remove", u"Удалить"},
    {Word::Weekdays, u"Weekdays", u"Дни недели"},
    {Word::Dates, u"Dates from", u"Даты с"},
    {Word::To, u"to", u"по"},
    {Word::Start, u"Start:", u"Начало:"},
    {Word::End, u"End:", u"Конец:"},
    {Word::AtTime, u"at a time", u"в заданное время"},
    {Word::Sunset, u"sunset", u"закат"},
    {Word::Dusk, u"dusk", u"сумерки"},
    {Word::Sunrise, u"sunrise", u"рассвет"},
    {Word::Duration, u"after", u"через"},
    {Word::Minutes, u" min", u" мин"},
    {Word::FinalSound, u"Final sound", u"Финальный звук"},
    {Word::OpenDoor, u"Open the door", u"Открыть дверь"},
    {Word::Quiet, u"Quiet hours:", u"Тихие часы:"},
    {Word::City, u"City:", u"Город:"},
    {Word::OtherPlace, u"Other place", u"Другое место"},
    {Word::Latitude, u"Latitude:", u"Широта:"},
    {Word::Longitude, u"Longitude:", u"Долгота:"},
    {Word::Week, u"The next 7 days:", u"Ближайшие 7 дней:"},
    {Word::NothingThisWeek, u"Nothing planned", u"Ничего не запланировано"},
    {Word::Ok, u"OK", u"ОК"},
    {Word::Apply, u"Apply", u"Применить"},
    {Word::Applied, u"Schedule applied", u"Расписание применено"},
    {Word::Daily, u"every day", u"ежедневно"},
    {Word::NoDays, u"evening %1 has no days chosen", u"у вечера %1 не выбраны дни"},
    {Word::NeedsPlace, u"evening %1 follows the sun: choose a city or type the coordinates",
     u"вечер %1 зависит от солнца: выберите город или введите координаты"},
    {Word::NotANumber, u"\"%1\" is not a number of degrees", u"«%1» - не число градусов"},
    {Word::HalfPlace, u"type both the latitude and the longitude", u"введите и широту, и долготу"},
    {Word::StoredUnreadable, u"the stored schedule was not read: %1",
     u"сохранённое расписание не прочитано: %1"},
};

QLocale locale(Language language) {
    return language == Language::Russian ? QLocale(QLocale::Russian, QLocale::Russia)
                                         : QLocale(QLocale::English, QLocale::UnitedKingdom);
}

QString said(Word which, Language language) {
    return word(which, language);
}

QString withOffset(Word event, int minutes, Language language) {
    if (minutes == 0)
        return said(event, language);
    // A real minus sign: a hyphen reads as a dash between two times.
    return said(event, language) + (minutes > 0 ? QStringLiteral("+") : QStringLiteral("−")) +
           QString::number(std::abs(minutes));
}

QString days(const ScheduleDays& days, Language language) {
    const QLocale where = locale(language);
    if (days.isStretch()) {
        const auto day = [&where](int month, int dayOfMonth) {
            return where.toString(QDate(2024, month, dayOfMonth), QStringLiteral("d MMM"));
        };
        const QString from = day(days.fromMonth(), days.fromDay());
        const QString to = day(days.toMonth(), days.toDay());
        return from == to ? from : from + QStringLiteral("–") + to;
    }
    if (days.weekdayMask() == 0x7F)
        return said(Word::Daily, language);
    QStringList names;
    for (int day = 1; day <= 7; ++day) {
        if (days.weekdayMask() & (1 << (day - 1)))
            names << where.dayName(day, QLocale::ShortFormat);
    }
    return names.join(QStringLiteral(", "));
}

QString dayText(QDate date, Language language) {
    return locale(language).toString(date, QStringLiteral("ddd d MMM"));
}

// The reasons of the text form and the coordinates' check that a person can meet in this
// window, each with its Russian wording; the captures go into %1, %2 in order.
struct Translation {
    const char* english;
    const char16_t* russian;
};

constexpr Translation Translations[] = {
    {R"x(^entry (\d+) "(.*)": (.*)$)x", u"запись %1 «%2»: %3"},
    {R"x(^(\S+) is not a date$)x", u"даты %1 нет в календаре"},
    {R"x(^quiet hours from (\S+) to \S+ are empty$)x", u"тихие часы с %1 до %1 пусты"},
    {R"x(^schedule is longer than (\d+) bytes$)x", u"расписание длиннее %1 байт"},
    {R"x(^(\S+) is named twice$)x", u"%1 указано дважды"},
    {R"x(^latitude must be between -90 and 90 degrees$)x",
     u"широта должна быть от -90 до 90 градусов"},
    {R"x(^longitude must be between -180 and 180 degrees$)x",
     u"долгота должна быть от -180 до 180 градусов"},
};

} // namespace

QString word(Word which, Language language) {
    for (const Wording& wording : Wordings) {
        if (wording.which == which)
            return QString::fromUtf16(language == Language::Russian ? wording.russian
                                                                    : wording.english);
    }
    return {};
}

QString plan(const SchedulePlan& plan, Language language) {
    QString start = plan.start.clock.toString(QStringLiteral("HH:mm"));
    if (plan.start.kind == PlanStart::Kind::Sunset)
        start = withOffset(Word::Sunset, plan.start.offsetMinutes, language);
    else if (plan.start.kind == PlanStart::Kind::Dusk)
        start = withOffset(Word::Dusk, plan.start.offsetMinutes, language);
    QString end = plan.end.clock.toString(QStringLiteral("HH:mm"));
    if (plan.end.kind == PlanEnd::Kind::Sunrise)
        end = withOffset(Word::Sunrise, plan.end.offsetMinutes, language);
    else if (plan.end.kind == PlanEnd::Kind::Duration)
        end = QString::number(plan.end.durationMinutes) + said(Word::Minutes, language);
    QString text = QStringLiteral("%1: %2..%3").arg(days(plan.days, language), start, end);
    if (plan.finalSound)
        text += QStringLiteral(", ") + said(Word::FinalSound, language).toLower();
    if (plan.openDoor)
        text += QStringLiteral(", ") + said(Word::OpenDoor, language).toLower();
    return text;
}

QString quiet(const QuietHours& quiet) {
    return quiet.from.toString(QStringLiteral("HH:mm")) + QStringLiteral("–") +
           quiet.to.toString(QStringLiteral("HH:mm"));
}

QString interval(const ScheduleInterval& interval, const QTimeZone& zone, Language language) {
    const QDateTime start = interval.start.toTimeZone(zone);
    const QDateTime end = interval.end.toTimeZone(zone);
    const QString clock = QStringLiteral("HH:mm");
    QString until = end.toString(clock);
    if (start.secsTo(end) >= 24 * 3600)
        until = dayText(end.date(), language) + QLatin1Char(' ') + until;
    return QStringLiteral("%1 %2–%3")
        .arg(dayText(start.date(), language), start.toString(clock), until);
}

QString note(const ScheduleNote& note, Language language) {
    const auto in = [language](const char16_t* english, const char16_t* russian) {
        return QString::fromUtf16(language == Language::Russian ? russian : english);
    };
    const QString day = dayText(note.date, language);
    if (note.kind == ScheduleNote::Kind::Merged)
        return in(u"%1: evenings %2 and %3 overlap and run as one",
                  u"%1: вечера %2 и %3 пересекаются и идут как один")
            .arg(day, QString::number(std::min(note.plan, note.other) + 1),
                 QString::number(std::max(note.plan, note.other) + 1));
    QString what = note.sunStaysUp ? in(u"the sun does not set", u"солнце не заходит")
                                   : in(u"the sun does not rise", u"солнце не восходит");
    if (note.kind == ScheduleNote::Kind::NoDusk && note.sunStaysUp)
        what = in(u"a white night, no dusk", u"белая ночь, сумерки не наступают");
    else if (note.kind == ScheduleNote::Kind::EndsBeforeStart)
        what = in(u"its end comes before its start", u"конец раньше начала");
    return in(u"%1: evening %2 does not run, %3", u"%1: вечер %2 не идёт, %3")
        .arg(day, QString::number(note.plan + 1), what);
}

QString reason(const QString& english, Language language) {
    if (language != Language::Russian)
        return english;
    for (const Translation& translation : Translations) {
        const QRegularExpression shape(QString::fromLatin1(translation.english));
        const QRegularExpressionMatch match = shape.match(english);
        if (!match.hasMatch())
            continue;
        QString russian = QString::fromUtf16(translation.russian);
        for (int group = 1; group <= shape.captureCount(); ++group) {
            // An entry's own reason is worded in its turn.
            const QString captured = match.captured(group);
            russian = russian.arg(group == 3 ? reason(captured, language) : captured);
        }
        return russian;
    }
    return english;
}

} // namespace ScheduleWords
