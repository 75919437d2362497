// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/ScheduleSettings.h"

#include "core/FirstErrorMessage.h"
#include "core/LogCategories.h"
#include "core/MessageBoxes.h"
#include "core/SettingsStore.h"
#include "core/StoreAccess.h"
#include "core/StoreError.h"

const QString ScheduleSettingsStore::KeyPath = ProgramKey + QStringLiteral("Schedule\\");

namespace {

const QString EnabledName = QStringLiteral("Schedule_Enabled");
const QString RulesName = QStringLiteral("Schedule_Rules");
// Kept as text in the C locale: a store someone reads shows "52.52", not a scaled integer.
const QString LatitudeName = QStringLiteral("Schedule_Latitude");
const QString LongitudeName = QStringLiteral("Schedule_Longitude");

QString coordinateText(double value) {
    return QString::number(value, 'f', 6);
}

} // namespace

ScheduleSettingsStore::ScheduleSettingsStore(SettingsStore* store)
    : m_store(store) {}

QString ScheduleSettingsStore::load(ScheduleSettings& settings) const {
    settings = ScheduleSettings();
    const auto key = m_store ? m_store->openKey(KeyPath, false) : nullptr;
    if (!key)
        return {};
    try {
        if (key->valueExists(EnabledName))
            settings.enabled = key->readBool(EnabledName);
        if (key->valueExists(RulesName))
            settings.rules = key->readString(RulesName);
        if (key->valueExists(LatitudeName) && key->valueExists(LongitudeName)) {
            const QString latitude = key->readString(LatitudeName);
            const QString longitude = key->readString(LongitudeName);
            bool latitudeOk = false;
            bool longitudeOk = false;
            const double north = latitude.toDouble(&latitudeOk);
            const double east = longitude.toDouble(&longitudeOk);
            const QString problem =
                latitudeOk && longitudeOk
                    ? ScheduleLocation::check(north, east)
                    : QStringLiteral("the location \"%1, %2\" is not two numbers")
                          .arg(latitude, longitude);
            if (!problem.isEmpty())
                return problem;
            settings.location = ScheduleLocation{north, east};
        }
    } catch (const StoreError& error) {
        qCWarning(lcStore) << "schedule settings loaded up to:" << error.message();
        return error.message();
    }
    return {};
}

QString ScheduleSettingsStore::save(const ScheduleSettings& settings) const {
    const auto key = m_store ? m_store->openKey(KeyPath, true) : nullptr;
    if (!key)
        return m_store ? m_store->lastError() : QString();
    FirstErrorMessage message;
    StoreWriter write(key.get(), &message);
    write.boolean(EnabledName, settings.enabled);
    write.string(RulesName, settings.rules);
    if (settings.location) {
        write.string(LatitudeName, coordinateText(settings.location->latitude));
        write.string(LongitudeName, coordinateText(settings.location->longitude));
    } else {
        write.remove(LatitudeName);
        write.remove(LongitudeName);
    }
    write.close();
    return message.text();
}
