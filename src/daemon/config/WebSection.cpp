// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PortNumber.h"
#include "core/SettingsStore.h"
#include "daemon/config/ConfigSections.h"
#include "daemon/config/ConfigValues.h"
#include "daemon/config/ModelSection.h"
#include "web/WebAccessSettings.h"

using namespace ConfigValues;

namespace {

QString passwordRefusal(const QString& password) {
    if (WebAccessSettings::maySignInToPage(password))
        return {};
    return QStringLiteral("a password shorter than %1 characters cannot sign in to the page")
        .arg(WebAccessSettings::MinPagePasswordLength);
}

void addAccountKeys(std::vector<ConfigKey>& keys, const char* who, bool& enabled, QString& login,
                    QString& password, WebAccessSettings::Permissions& permissions) {
    const QString prefix = QStringLiteral("web.%1.").arg(QLatin1String(who));
    keys.push_back(boolKey(prefix + QStringLiteral("enabled"), enabled));
    keys.push_back(textKey(prefix + QStringLiteral("login"), login));
    keys.push_back(textKey(prefix + QStringLiteral("password"), password, passwordRefusal, true));
    for (int ghost = 1; ghost <= WebAccessSettings::GhostCount; ++ghost)
        keys.push_back(boolKey(prefix + QStringLiteral("ghost.%1").arg(ghost),
                               permissions.ghost[static_cast<size_t>(ghost - 1)]));
    keys.push_back(boolKey(prefix + QStringLiteral("attraction"), permissions.attraction));
}

} // namespace

std::unique_ptr<ConfigSection> webSection(SettingsStore& store) {
    return makeModelSection<WebAccessSettings>(
        [&store](WebAccessSettings& settings) { return WebAccessStore(&store).load(settings); },
        [&store](const WebAccessSettings& settings) {
            if (WebAccessStore(&store).save(settings))
                return QString();
            return QStringLiteral("the web access settings could not be written: %1")
                .arg(store.lastError());
        },
        [](WebAccessSettings& settings) {
            std::vector<ConfigKey> keys{
                textKey(QStringLiteral("web.port"), settings.Port, portTextRefusal),
                textKey(QStringLiteral("web.page"), settings.Page),
                boolKey(QStringLiteral("web.autostart"), settings.Web_Autoconnect)};
            addAccountKeys(keys, "admin", settings.Admin_OK, settings.Admin_Login,
                           settings.Admin_Pass, settings.Web_Admin);
            addAccountKeys(keys, "user", settings.User_OK, settings.User_Login, settings.User_Pass,
                           settings.Web_User);
            return keys;
        });
}
