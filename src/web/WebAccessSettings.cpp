// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/WebAccessSettings.h"

#include "core/LogCategories.h"
#include "core/SettingsStore.h"
#include "core/StoreAccess.h"
#include "core/StoreError.h"

const QString WebAccessStore::KeyPath = ProgramKey + QStringLiteral("Web\\");
const QString WebAccessStore::DefaultPort = QStringLiteral("8012");
const QString WebAccessStore::DefaultPage = QStringLiteral("manage");
const QString WebAccessStore::DefaultUserLogin = QStringLiteral("user");
const QString WebAccessStore::DefaultUserPass = QStringLiteral("1");
const QString WebAccessStore::DefaultAdminLogin = QStringLiteral("admin");
const QString WebAccessStore::DefaultAdminPass = QStringLiteral("2");

bool WebAccessSettings::maySignInToPage(const QString& password) {
    return password.toUcs4().size() >= MinPagePasswordLength;
}

namespace {

struct TextValue {
    const char* name;
    QString WebAccessSettings::*field;
    const QString& fallback;
};

const TextValue TextValues[] = {
    {"Port", &WebAccessSettings::Port, WebAccessStore::DefaultPort},
    {"Page", &WebAccessSettings::Page, WebAccessStore::DefaultPage},
    {"User_Login", &WebAccessSettings::User_Login, WebAccessStore::DefaultUserLogin},
    {"User_Pass", &WebAccessSettings::User_Pass, WebAccessStore::DefaultUserPass},
    {"Admin_Login", &WebAccessSettings::Admin_Login, WebAccessStore::DefaultAdminLogin},
    {"Admin_Pass", &WebAccessSettings::Admin_Pass, WebAccessStore::DefaultAdminPass},
};

struct FlagValue {
    const char* name;
    bool WebAccessSettings::*field;
};

// The three flags load in one order and save in another.
constexpr FlagValue FlagsLoaded[] = {{"Web_Autoconnect", &WebAccessSettings::Web_Autoconnect},
                                     {"User_OK", &WebAccessSettings::User_OK},
                                     {"Admin_OK", &WebAccessSettings::Admin_OK}};
constexpr FlagValue FlagsSaved[] = {{"User_OK", &WebAccessSettings::User_OK},
                                    {"Admin_OK", &WebAccessSettings::Admin_OK},
                                    {"Web_Autoconnect", &WebAccessSettings::Web_Autoconnect}};

// "Web_User_01" ... "Web_User_08", "Web_User_50", then the same for "Admin": 50 is the attraction.
template <typename Settings, typename Visit>
void forEachPermission(Settings& settings, Visit visit) {
    const auto account = [&](const char* who, auto& permissions) {
        for (int ghost = 1; ghost <= WebAccessSettings::GhostCount; ++ghost)
            visit(
                QStringLiteral("Web_%1_%2").arg(QLatin1String(who)).arg(ghost, 2, 10, QChar(u'0')),
                permissions.ghost[static_cast<size_t>(ghost - 1)]);
        visit(QStringLiteral("Web_%1_50").arg(QLatin1String(who)), permissions.attraction);
    };
    account("User", settings.Web_User);
    account("Admin", settings.Web_Admin);
}

} // namespace

WebAccessStore::WebAccessStore(SettingsStore* store)
    : m_store(store) {}

QString WebAccessStore::load(WebAccessSettings& settings) const {
    // An unusable store reads as an empty one.
    const auto key = m_store ? m_store->openKey(KeyPath, true) : nullptr;
    const auto exists = [&](const QString& name) {
        return key && key->valueExists(name);
    };
    const auto readFlag = [&](const QString& name, bool& flag, bool fallback) {
        flag = exists(name) ? key->readBool(name) : fallback;
    };
    try {
        for (const TextValue& value : TextValues) {
            const QString name = QLatin1String(value.name);
            settings.*value.field = exists(name) ? key->readString(name) : value.fallback;
        }
        for (const FlagValue& value : FlagsLoaded)
            readFlag(QLatin1String(value.name), settings.*value.field, false);
        forEachPermission(settings,
                          [&](const QString& name, bool& flag) { readFlag(name, flag, true); });
    } catch (const StoreError& error) {
        qCWarning(lcWeb) << "web access settings loaded up to:" << error.message();
        return error.message();
    }
    return {};
}

bool WebAccessStore::save(const WebAccessSettings& settings) const {
    const auto key = m_store ? m_store->openKey(KeyPath, true) : nullptr;
    if (!key)
        return false;
    // No messages: the first refused write ends the save quietly (it is logged).
    StoreWriter write(key.get(), nullptr);
    for (const TextValue& value : TextValues)
        write.string(QLatin1String(value.name), settings.*value.field);
    for (const FlagValue& value : FlagsSaved)
        write.boolean(QLatin1String(value.name), settings.*value.field);
    forEachPermission(settings, [&](const QString& name, bool flag) { write.boolean(name, flag); });
    write.close();
    return !write.failed();
}
