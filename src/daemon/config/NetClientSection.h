// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "daemon/config/ConfigSection.h"
#include "daemon/config/FirstStoreMessage.h"
#include "net/NetClients.h"

// The registered network clients, "net.client.<name>.<setting>". The list writes itself to the
// store at every change, as it does in the program; a name is matched without regard to letter
// case, as the list compares names. Setting any key of a name not listed registers it first;
// "registered" false removes it.
class NetClientSection : public ConfigSection {
public:
    explicit NetClientSection(SettingsStore& store);

    QString load() override;
    QString save() override { return m_messages.message(); }
    std::vector<ConfigKey> keys() override;
    std::optional<ConfigKey> newKey(const QString& name) override;

private:
    // -1 when no client has that name.
    int indexOf(const QString& clientName) const;
    ConfigKey key(const QString& clientName, const QString& setting);
    // Registers the client if need be; empty, or why it cannot be.
    QString registered(const QString& clientName);
    QString setPassword(const QString& clientName, const QString& text);
    QString setRights(const QString& clientName, const QString& text);
    QString setEditEnable(const QString& clientName, const QString& text);
    QString setRegistered(const QString& clientName, const QString& text);

    FirstStoreMessage m_messages;
    NetClients m_clients;
};
