// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/ScheduleSettingsCheck.h"

#include <algorithm>

namespace {

QString inLanguage(Language language, const char* english, const char* russian) {
    return QString::fromUtf8(language == Language::Russian ? russian : english);
}

} // namespace

bool followsTheSun(const ScheduleRules& rules) {
    return std::any_of(rules.plans.begin(), rules.plans.end(), [](const SchedulePlan& plan) {
        return plan.start.kind != PlanStart::Kind::Clock || plan.end.kind == PlanEnd::Kind::Sunrise;
    });
}

QString checkScheduleSettings(const ScheduleSettings& settings, Language language) {
    // The rules' own reasons stay in English: they quote the text form, whose words are English.
    const ScheduleTextParse parsed = ScheduleText::parse(settings.rules);
    if (!parsed.rules)
        return inLanguage(language, "The schedule cannot be read: %1", "Расписание не читается: %1")
            .arg(parsed.problem);
    if (settings.location) {
        const QString wrong =
            ScheduleLocation::check(settings.location->latitude, settings.location->longitude);
        if (!wrong.isEmpty())
            return inLanguage(language, "The place is wrong: %1", "Место указано неверно: %1")
                .arg(wrong);
    } else if (followsTheSun(*parsed.rules)) {
        return inLanguage(language,
                          "A plan follows the sun: choose a city or enter its coordinates.",
                          "План зависит от солнца: выберите город или введите координаты.");
    }
    return {};
}
