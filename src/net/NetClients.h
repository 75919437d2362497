// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/NetUserData.h"

#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

class MessageBoxes;
class SettingsStore;

// What the details panel shows for the selected client.
struct ShownNetClient {
    QString password;
    std::array<bool, NetUserData::RightCount> rights{};
    // "Клиент: " and the name in double quotes; empty with no client selected.
    QString caption;
};

// The registered clients in stored order, written through to the store under "Net\" at every
// change. Records are shared so that a logged-in connection keeps its account alive and sees a
// password or rights change at once.
class NetClients {
public:
    static const QString KeyPath;
    static const QString CountValue;           // "UserCount"
    static QString recordValueName(int index); // "UserData%d"
    static constexpr int DefaultClientCount = 3;
    // Long enough that guessing over the network, at the rate the server allows, never ends.
    static constexpr int DefaultPasswordLength = 12;
    // A damaged "UserCount" must not make the program allocate billions of records.
    static constexpr int MaxClients = 10000;
    // Shown by the window when a typed name or password holds a character the stored records
    // cannot carry.
    static const QString NotEncodableMessage;

    // Either may be null: no store means nothing is kept; no message boxes means store failures
    // are only returned and logged.
    NetClients(SettingsStore* store, MessageBoxes* messages);

    // Fills the list from the store, writing the three default clients first when the Net key
    // does not exist. Returns the message of a stored value that stopped the loading (also shown
    // through the message boxes), else empty; the entries read before it stay.
    QString load();
    // Writes "UserCount" and every record; a failed write is shown and ends the save.
    void save();

    int count() const { return static_cast<int>(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    const NetUserData& at(int index) const { return *m_entries.at(index); }
    std::shared_ptr<NetUserData> record(int index) const { return m_entries.at(index); }
    // The names decoded for display, in list order.
    QStringList names() const;
    // The first entry whose name and password equal these bytes exactly, or null.
    std::shared_ptr<NetUserData> find(QByteArrayView name, QByteArrayView password) const;

    // -1 when nothing is selected.
    int selected() const { return m_selected; }
    void select(int index);

    // Whether a typed text fits the records' code page.
    static bool isEncodable(QStringView text);

    // Appends a client named `name` (cut to 255 bytes), saves and selects the first entry. An
    // empty name or one already listed (letter case ignored) changes nothing. Returns
    // NotEncodableMessage when the name cannot be stored, else empty.
    QString add(const QString& name);
    // Sets the selected client's password (cut to 255 bytes) and rights 1 … 4, then saves; with
    // nothing selected only saves. Returns NotEncodableMessage (and changes nothing) when the
    // password cannot be stored, else empty.
    QString apply(const QString& password, const std::array<bool, NetUserData::RightCount>& rights);
    // Removes the entry, saves, and selects the first entry (or nothing). The caller closes the
    // client's connections first: NetProtocol::deleteClient does both.
    void removeAt(int index);
    ShownNetClient shown() const;

private:
    void writeDefaults();

    SettingsStore* m_store;
    MessageBoxes* m_messages;
    std::vector<std::shared_ptr<NetUserData>> m_entries;
    int m_selected = -1;
};
