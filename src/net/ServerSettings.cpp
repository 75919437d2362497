// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/ServerSettings.h"

#include "core/IntegerText.h"
#include "core/SettingsStore.h"
#include "core/StoreAccess.h"

const QString ServerSettingsStore::KeyPath = QStringLiteral("SoftWare\\Server\\");

namespace {

const QString AutoSocketName = QStringLiteral("AutoSocket");
const QString SocketJurnalName = QStringLiteral("SocketJurnal");
const QString SocketErrorName = QStringLiteral("SocketError");
const QString ServerSocketName = QStringLiteral("ServerSocket");

constexpr qint32 LowestAdvisedPort = 1000;
constexpr qint32 HighestAdvisedPort = 65535;

} // namespace

ServerSettingsStore::ServerSettingsStore(SettingsStore* store, MessageBoxes* messages)
    : m_store(store)
    , m_messages(messages) {}

ServerSettings ServerSettingsStore::load() const {
    const auto key = m_store ? m_store->openKey(KeyPath, true) : nullptr;
    const StoreReader read(key.get(), m_messages);
    ServerSettings settings;
    settings.AutoSocket = read.boolean(AutoSocketName, settings.AutoSocket);
    settings.SocketJurnal = read.boolean(SocketJurnalName, settings.SocketJurnal);
    settings.SocketError = read.boolean(SocketErrorName, settings.SocketError);
    settings.ServerSocket = read.integer(ServerSocketName, ServerSettings::DefaultPort);
    if (key && !key->valueExists(ServerSocketName)) {
        StoreWriter write(key.get(), m_messages);
        write.integer(ServerSocketName, ServerSettings::DefaultPort);
        write.close();
    }
    return settings;
}

void ServerSettingsStore::save(const ServerSettings& settings, QStringView portText) const {
    const auto key = m_store ? m_store->openKey(KeyPath, true) : nullptr;
    if (!key)
        return;
    StoreWriter write(key.get(), m_messages);
    write.boolean(AutoSocketName, settings.AutoSocket);
    write.boolean(SocketJurnalName, settings.SocketJurnal);
    write.boolean(SocketErrorName, settings.SocketError);
    write.integer(ServerSocketName,
                  integerFromText(portText).value_or(ServerSettings::DefaultPort));
    write.close();
}

bool portInAdvisedRange(QStringView portText) {
    const qint32 port = integerFromText(portText).value_or(0);
    return port >= LowestAdvisedPort && port <= HighestAdvisedPort;
}
