// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the network server's line handler fed by four connections (two from one
// address) with their chunks, closes and re-opens chosen by the input. Nothing may crash, and what
// the server sends must stay within the protocol: whole lines of known words, to open
// connections only, one logged-in connection per address, no receive buffer past its limit.
#include "core/Clock.h"
#include "net/NetClients.h"
#include "net/NetProtocol.h"
#include "net/NetTransport.h"
#include "net/NetWire.h"

#include <QByteArray>
#include <QSet>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int Connections = 4;
const char* const Addresses[Connections] = {"10.0.0.1", "10.0.0.1", "10.0.0.2", "10.0.0.3"};

class StillClock : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 1, 1), QTime(12, 0)); }
};

class CheckingTransport : public NetTransport {
public:
    explicit CheckingTransport(const NetProtocol* const& protocol)
        : m_protocol(protocol) {}

    void send(NetConnectionId id, const QByteArray& message) override {
        if (!isOpen(id) || m_closed.contains(id) || message.isEmpty() || !message.endsWith('\n'))
            std::abort();
        for (const QByteArray& line : message.chopped(1).split('\n')) {
            if (!Words.contains(
                    NetWire::ExtractField(NetWire::FieldSeparator, 1, line).toByteArray()))
                std::abort();
        }
    }
    // Each connection is closed at most once, and nothing is sent to it afterwards.
    void close(NetConnectionId id) override {
        if (m_closed.contains(id))
            std::abort();
        m_closed.insert(id);
    }

private:
    bool isOpen(NetConnectionId id) const {
        for (const NetConnectionState& c : m_protocol->connections()) {
            if (c.id == id)
                return true;
        }
        return false;
    }

    const QSet<QByteArray> Words = {"AlreadyConnected", "AcsessDeny",      "BeginLogged",
                                    "Logged",           "EndLogged",       "BeginPrivileges",
                                    "Privilege",        "EditEnable",      "EndPrivileges",
                                    "LoggedAs",         "ShowMessageFrom", "UserVariables"};
    const NetProtocol* const& m_protocol;
    QSet<NetConnectionId> m_closed;
};

void checkState(const NetProtocol& protocol) {
    QSet<QString> loggedAddresses;
    for (const NetConnectionState& c : protocol.connections()) {
        if (c.receiveBuffer.size() > NetProtocol::MaxLineBytes || c.loggedIn != bool(c.account))
            std::abort();
        if (c.loggedIn) {
            if (loggedAddresses.contains(c.remoteAddress))
                std::abort();
            loggedAddresses.insert(c.remoteAddress);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    NetClients clients(nullptr, nullptr);
    clients.add(QStringLiteral("A"));
    clients.add(QStringLiteral("B"));
    clients.add(QStringLiteral("Иван"));
    for (int i = 0; i < clients.count(); ++i) {
        clients.select(i);
        clients.apply(QStringLiteral("p%1").arg(i), {i == 0, true, false, i == 2});
    }
    clients.record(1)->setEditEnable(true);

    StillClock clock;
    const NetProtocol* protocolRef = nullptr;
    CheckingTransport transport(protocolRef);
    NetProtocol protocol(clients, transport, clock, [] {});
    protocolRef = &protocol;

    NetConnectionId ids[Connections];
    NetConnectionId next = 1;
    for (int i = 0; i < Connections; ++i) {
        ids[i] = next++;
        protocol.connectionOpened(ids[i], QString::fromLatin1(Addresses[i]));
    }

    size_t at = 0;
    while (at < size) {
        const uint8_t op = data[at++];
        const int which = (op >> 4) % Connections;
        switch (op & 0x0F) {
        case 0: // a peer closes
            protocol.connectionClosed(ids[which]);
            break;
        case 1: // the server closes one
            protocol.closeConnection(ids[which]);
            break;
        case 2: // a new connection in that place
            protocol.connectionClosed(ids[which]);
            ids[which] = next++;
            protocol.connectionOpened(ids[which], QString::fromLatin1(Addresses[which]));
            break;
        case 3:
            protocol.closeMarkedClients({QStringLiteral("a"), QStringLiteral("ИВАН")});
            break;
        case 4:
            protocol.closeAllClients();
            break;
        default: { // a chunk of bytes up to the next 0xFF (or the end)
            size_t end = at;
            while (end < size && data[end] != 0xFF)
                ++end;
            protocol.dataReceived(ids[which], QByteArrayView(data + at, qsizetype(end - at)));
            at = end < size ? end + 1 : end;
            break;
        }
        }
        checkState(protocol);
    }
    protocol.closeAll();
    if (!protocol.connections().empty() || !protocol.loggedClients().isEmpty())
        std::abort();
    return 0;
}
