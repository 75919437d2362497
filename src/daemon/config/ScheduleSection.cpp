// SPDX-License-Identifier: GPL-3.0-or-later
#include "daemon/config/ConfigSections.h"
#include "daemon/config/ConfigValues.h"
#include "daemon/config/ModelSection.h"
#include "schedule/ScheduleSettingsCheck.h"

#include <QLocale>

using namespace ConfigValues;

namespace {

using Take = std::function<QString(ScheduleSettings&, const QString&)>;

// Each change is judged with the rest as the schedule would take it, so the store never holds
// what the program would refuse to follow.
ConfigKey scheduleKey(const char* name, ScheduleSettings& settings,
                      std::function<QString(const ScheduleSettings&)> get, Take take) {
    return {QLatin1String(name), [&settings, get] { return get(settings); },
            [&settings, take](const QString& text) -> QString {
                ScheduleSettings changed = settings;
                if (QString why = take(changed, text); !why.isEmpty())
                    return why;
                if (QString why = checkScheduleSettings(changed, Language::English); !why.isEmpty())
                    return why;
                settings = changed;
                return {};
            }};
}

QString coordinateText(const std::optional<ScheduleLocation>& location,
                       double ScheduleLocation::*coordinate) {
    return location ? QString::number(*location.*coordinate, 'g', 10) : QString();
}

// Empty removes the place. With none stored, the other coordinate starts at 0.
ConfigKey coordinateKey(const char* name, ScheduleSettings& settings,
                        double ScheduleLocation::*coordinate) {
    return scheduleKey(
        name, settings,
        [coordinate](const ScheduleSettings& s) { return coordinateText(s.location, coordinate); },
        [coordinate](ScheduleSettings& s, const QString& text) {
            if (text.isEmpty()) {
                s.location.reset();
                return QString();
            }
            bool ok = false;
            const double value = QLocale::c().toDouble(text, &ok);
            if (!ok)
                return QStringLiteral("'%1' is not a number of degrees").arg(text);
            ScheduleLocation place = s.location.value_or(ScheduleLocation{});
            place.*coordinate = value;
            s.location = place;
            return QString();
        });
}

} // namespace

std::unique_ptr<ConfigSection> scheduleSection(SettingsStore& store) {
    return makeModelSection<ScheduleSettings>(
        [&store](ScheduleSettings& settings) {
            return ScheduleSettingsStore(&store).load(settings);
        },
        [&store](const ScheduleSettings& settings) {
            return ScheduleSettingsStore(&store).save(settings);
        },
        [](ScheduleSettings& settings) {
            const ConfigKey enabled = scheduleKey(
                "schedule.enabled", settings,
                [](const ScheduleSettings& s) { return boolText(s.enabled); },
                [](ScheduleSettings& s, const QString& text) {
                    const std::optional<bool> flag = parseBool(text);
                    if (!flag)
                        return notABoolean(text);
                    s.enabled = *flag;
                    return QString();
                });
            const ConfigKey rules = scheduleKey(
                "schedule.rules", settings, [](const ScheduleSettings& s) { return s.rules; },
                [](ScheduleSettings& s, const QString& text) {
                    s.rules = text;
                    return QString();
                });
            // Listed when the place is one of the built-in cities; setting one sets both
            // coordinates.
            const ConfigKey city = scheduleKey(
                "schedule.city", settings,
                [](const ScheduleSettings& s) {
                    for (const ScheduleCity& c : scheduleCities())
                        if (s.location == c.location)
                            return c.english;
                    return QString();
                },
                [](ScheduleSettings& s, const QString& text) {
                    for (const ScheduleCity& c : scheduleCities()) {
                        if (text.compare(c.english, Qt::CaseInsensitive) == 0 ||
                            text.compare(c.russian, Qt::CaseInsensitive) == 0) {
                            s.location = c.location;
                            return QString();
                        }
                    }
                    QStringList names;
                    for (const ScheduleCity& c : scheduleCities())
                        names.append(c.english);
                    return QStringLiteral("unknown city '%1': use %2")
                        .arg(text, names.join(QStringLiteral(", ")));
                });
            return std::vector<ConfigKey>{
                enabled, rules,
                coordinateKey("schedule.latitude", settings, &ScheduleLocation::latitude),
                coordinateKey("schedule.longitude", settings, &ScheduleLocation::longitude), city};
        });
}
