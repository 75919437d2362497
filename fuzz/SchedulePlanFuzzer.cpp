// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the schedule's text form. Nothing may crash; a text gives rules or a reason,
// never both; what the writer makes of accepted rules reads back to the same rules and is
// written the same again. The rules laid onto a calendar around a change of clocks give
// intervals that are not empty, in order and apart, and lookups that agree with them.
#include "schedule/ScheduleCalendar.h"
#include "schedule/ScheduleText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void checkCalendar(const ScheduleRules& rules) {
    static const QTimeZone zone("Europe/Berlin");
    const ScheduleCalendar calendar(rules, {69.65, 18.96}, zone);
    const ScheduleSpan span = calendar.days(QDate(2026, 3, 28), QDate(2026, 3, 30));
    for (qsizetype i = 0; i < span.intervals.size(); ++i) {
        const ScheduleInterval& interval = span.intervals[i];
        if (interval.start >= interval.end || interval.plans.isEmpty())
            std::abort();
        if (i > 0 && span.intervals[i - 1].end >= interval.start)
            std::abort();
    }
    const QDateTime t(QDate(2026, 3, 29), QTime(1, 30), Qt::UTC);
    const ScheduleLookup found = calendar.plansAt(t);
    if (found.containing && !found.containing->contains(t))
        std::abort();
    if (found.next && (found.next->at <= t || found.next->starts == found.containing.has_value()))
        std::abort();
    bool inSpan = false;
    for (const ScheduleInterval& interval : span.intervals)
        inSpan = inSpan || interval.contains(t);
    if (inSpan != found.containing.has_value())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const ScheduleTextParse parsed = ScheduleText::parse(text);
    if (parsed.rules.has_value() == !parsed.problem.isEmpty())
        std::abort();
    if (!parsed.rules)
        return 0;
    const QString written = ScheduleText::write(*parsed.rules);
    const ScheduleTextParse again = ScheduleText::parse(written);
    if (!again.rules || *again.rules != *parsed.rules ||
        ScheduleText::write(*again.rules) != written)
        std::abort();
    checkCalendar(*parsed.rules);
    return 0;
}
