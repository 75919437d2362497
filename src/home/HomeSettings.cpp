// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeSettings.h"

#include "core/FirstErrorMessage.h"
#include "core/LogCategories.h"
#include "core/MessageBoxes.h"
#include "core/SettingsStore.h"
#include "core/StoreAccess.h"
#include "core/StoreError.h"

#include <QSysInfo>

const QString HomeSettingsStore::KeyPath = ProgramKey + QStringLiteral("Mqtt\\");

QString HomeSettings::cleanNodeId(const QString& text) {
    QString clean;
    for (const QChar c : text.toLower()) {
        const bool kept = (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_';
        // One underscore for a run of others: "living-room.local" stays readable in a topic.
        if (kept && c != u'_')
            clean.append(c);
        else if (!clean.endsWith(u'_'))
            clean.append(u'_');
    }
    while (clean.startsWith(u'_'))
        clean.remove(0, 1);
    while (clean.endsWith(u'_'))
        clean.chop(1);
    return clean.isEmpty() ? QStringLiteral("gloamery") : clean;
}

QString HomeSettings::effectiveNodeId() const {
    return nodeId.isEmpty() ? cleanNodeId(QSysInfo::machineHostName()) : nodeId;
}

QString HomeSettings::effectiveBaseTopic() const {
    return baseTopic.isEmpty() ? QStringLiteral("gloamery/") + effectiveNodeId() : baseTopic;
}

namespace {

struct TextValue {
    const char* name;
    QString HomeSettings::*field;
};

struct FlagValue {
    const char* name;
    bool HomeSettings::*field;
};

// Loaded and saved in this order: a value of the wrong type ends the load there.
constexpr FlagValue Enabled{"Mqtt_Enabled", &HomeSettings::enabled};
constexpr TextValue Host{"Mqtt_Host", &HomeSettings::host};
constexpr const char* PortName = "Mqtt_Port";
constexpr TextValue Account[] = {{"Mqtt_User", &HomeSettings::user},
                                 {"Mqtt_Password", &HomeSettings::password}};
constexpr FlagValue Tls{"Mqtt_Tls", &HomeSettings::tls};
constexpr TextValue Rest[] = {{"Mqtt_CaFile", &HomeSettings::caFile},
                              {"Mqtt_NodeId", &HomeSettings::nodeId},
                              {"Mqtt_BaseTopic", &HomeSettings::baseTopic},
                              {"Mqtt_DiscoveryPrefix", &HomeSettings::discoveryPrefix}};

} // namespace

HomeSettingsStore::HomeSettingsStore(SettingsStore* store)
    : m_store(store) {}

QString HomeSettingsStore::load(HomeSettings& settings) const {
    settings = HomeSettings();
    // An unusable store reads as an empty one.
    const auto key = m_store ? m_store->openKey(KeyPath, false) : nullptr;
    if (!key)
        return {};
    HomeSettings loaded;
    const auto text = [&](const TextValue& value) {
        const QString name = QLatin1String(value.name);
        if (key->valueExists(name))
            loaded.*value.field = key->readString(name);
    };
    const auto flag = [&](const FlagValue& value) {
        const QString name = QLatin1String(value.name);
        if (key->valueExists(name))
            loaded.*value.field = key->readBool(name);
    };
    try {
        flag(Enabled);
        text(Host);
        if (key->valueExists(QLatin1String(PortName)))
            loaded.port = key->readInteger(QLatin1String(PortName));
        for (const TextValue& value : Account)
            text(value);
        flag(Tls);
        for (const TextValue& value : Rest)
            text(value);
    } catch (const StoreError& error) {
        qCWarning(lcStore) << "home automation settings loaded up to:" << error.message();
        settings = loaded;
        return error.message();
    }
    settings = loaded;
    return {};
}

QString HomeSettingsStore::save(const HomeSettings& settings) const {
    const auto key = m_store ? m_store->openKey(KeyPath, true) : nullptr;
    if (!key)
        return m_store ? m_store->lastError() : QString();
    FirstErrorMessage message;
    StoreWriter write(key.get(), &message);
    write.boolean(QLatin1String(Enabled.name), settings.enabled);
    write.string(QLatin1String(Host.name), settings.*Host.field);
    write.integer(QLatin1String(PortName), settings.port);
    for (const TextValue& value : Account)
        write.string(QLatin1String(value.name), settings.*value.field);
    write.boolean(QLatin1String(Tls.name), settings.tls);
    for (const TextValue& value : Rest)
        write.string(QLatin1String(value.name), settings.*value.field);
    write.close();
    return message.text();
}
