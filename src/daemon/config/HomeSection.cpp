// SPDX-License-Identifier: GPL-3.0-or-later
#include "daemon/config/ConfigSections.h"
#include "daemon/config/ConfigValues.h"
#include "daemon/config/ModelSection.h"
#include "home/HomeSettings.h"
#include "home/HomeSettingsCheck.h"

using namespace ConfigValues;

namespace {

using Take = std::function<QString(HomeSettings&, const QString&)>;

// A key whose value is judged as the window judges it, together with the values it depends on;
// a refused value leaves the record as it was.
ConfigKey homeKey(const char* name, HomeSettings& settings, HomeField field,
                  std::function<QString(const HomeSettings&)> get, Take take, bool secret = false) {
    return {QLatin1String(name), [&settings, get] { return get(settings); },
            [&settings, field, take](const QString& text) -> QString {
                HomeSettings changed = settings;
                if (QString why = take(changed, text); !why.isEmpty())
                    return why;
                if (QString why = HomeSettingsCheck::problem(changed, field, Language::English);
                    !why.isEmpty())
                    return why;
                settings = changed;
                return {};
            },
            secret};
}

ConfigKey textKey(const char* name, HomeSettings& settings, HomeField field,
                  QString HomeSettings::*value, bool secret = false) {
    return homeKey(
        name, settings, field, [value](const HomeSettings& s) { return s.*value; },
        [value](HomeSettings& s, const QString& text) {
            s.*value = text;
            return QString();
        },
        secret);
}

ConfigKey flagKey(const char* name, HomeSettings& settings, HomeField field,
                  bool HomeSettings::*value) {
    return homeKey(
        name, settings, field, [value](const HomeSettings& s) { return boolText(s.*value); },
        [value](HomeSettings& s, const QString& text) {
            const std::optional<bool> flag = parseBool(text);
            if (!flag)
                return notABoolean(text);
            s.*value = *flag;
            return QString();
        });
}

} // namespace

// The node id and base topic are listed as stored: empty means the default, which follows the
// computer's name.
std::unique_ptr<ConfigSection> homeSection(SettingsStore& store) {
    return makeModelSection<HomeSettings>(
        [&store](HomeSettings& settings) { return HomeSettingsStore(&store).load(settings); },
        [&store](const HomeSettings& settings) { return HomeSettingsStore(&store).save(settings); },
        [](HomeSettings& settings) {
            const ConfigKey port = homeKey(
                "mqtt.port", settings, HomeField::Port,
                [](const HomeSettings& s) { return QString::number(s.port); },
                [](HomeSettings& s, const QString& text) {
                    const std::optional<int> number = HomeSettingsCheck::portFromText(text);
                    if (!number)
                        return HomeSettingsCheck::portTextProblem(text, Language::English);
                    s.port = *number;
                    return QString();
                });
            return std::vector<ConfigKey>{
                flagKey("mqtt.enabled", settings, HomeField::Enabled, &HomeSettings::enabled),
                textKey("mqtt.host", settings, HomeField::Host, &HomeSettings::host),
                port,
                textKey("mqtt.user", settings, HomeField::User, &HomeSettings::user),
                textKey("mqtt.password", settings, HomeField::Password, &HomeSettings::password,
                        true),
                flagKey("mqtt.tls", settings, HomeField::Tls, &HomeSettings::tls),
                textKey("mqtt.ca-file", settings, HomeField::CaFile, &HomeSettings::caFile),
                textKey("mqtt.node-id", settings, HomeField::NodeId, &HomeSettings::nodeId),
                textKey("mqtt.base-topic", settings, HomeField::BaseTopic,
                        &HomeSettings::baseTopic),
                textKey("mqtt.discovery-prefix", settings, HomeField::DiscoveryPrefix,
                        &HomeSettings::discoveryPrefix)};
        });
}
