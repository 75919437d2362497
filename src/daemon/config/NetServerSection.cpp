// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/IntegerText.h"
#include "core/PortNumber.h"
#include "daemon/config/ConfigSections.h"
#include "daemon/config/ConfigValues.h"
#include "daemon/config/FirstStoreMessage.h"
#include "daemon/config/ModelSection.h"
#include "net/ServerSettings.h"

using namespace ConfigValues;

std::unique_ptr<ConfigSection> netServerSection(SettingsStore& store) {
    return makeModelSection<ServerSettings>(
        [&store](ServerSettings& settings) {
            FirstStoreMessage message;
            settings = ServerSettingsStore(&store, &message).load();
            return message.message();
        },
        [&store](const ServerSettings& settings) {
            FirstStoreMessage message;
            ServerSettingsStore(&store, &message)
                .save(settings, QString::number(settings.ServerSocket));
            return message.message();
        },
        [](ServerSettings& settings) {
            ConfigKey port{QStringLiteral("net.port"),
                           [&settings] { return QString::number(settings.ServerSocket); },
                           [&settings](const QString& text) {
                               QString refusal = portTextRefusal(text);
                               if (refusal.isEmpty())
                                   settings.ServerSocket = *integerFromText(text);
                               return refusal;
                           }};
            return std::vector<ConfigKey>{
                port, boolKey(QStringLiteral("net.autostart"), settings.AutoSocket),
                boolKey(QStringLiteral("net.journal"), settings.SocketJurnal),
                boolKey(QStringLiteral("net.error-warning"), settings.SocketError)};
        });
}
