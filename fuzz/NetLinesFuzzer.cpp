// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the network server's line handler fed by four connections (two from one
// address) with their chunks, closes, re-opens and the passing of time chosen by the input. Lines
// set aside for a later turn are handed back before the next step, held logins when time passes.
// Nothing may crash, and what the server sends must stay within the protocol: whole lines of known
// words, to open connections only, one logged-in connection per address, no unfinished line past
// its limit, no connection left open after too many wrong logins.
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
#include <utility>
#include <vector>

namespace {

constexpr int Connections = 4;
const char* const Addresses[Connections] = {"10.0.0.1", "10.0.0.1", "10.0.0.2", "10.0.0.3"};

class SteppedClock : public Clock {
public:
    QDateTime now() const override { return m_now; }
    void pass(qint64 ms) { m_now = m_now.addMSecs(ms); }

private:
    QDateTime m_now{QDate(2026, 1, 1), QTime(12, 0)};
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
    void resumeLater(NetConnectionId id, qint64 afterMs) override {
        if (!isOpen(id) || m_closed.contains(id) || afterMs < 0)
            std::abort();
        (afterMs == 0 ? nextTurn : held).insert(id);
    }

    QSet<NetConnectionId> nextTurn;
    QSet<NetConnectionId> held;

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
        const qsizetype unfinished = c.receiveBuffer.size() - c.receiveBuffer.lastIndexOf('\n') - 1;
        if (unfinished > NetProtocol::MaxLineBytes || c.loggedIn != bool(c.account) ||
            c.failedLogins >= NetLimits().failedLoginsPerConnection)
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

    SteppedClock clock;
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
        case 5: // time passes, for the held logins
            clock.pass(1000 << (op >> 4));
            for (NetConnectionId id : std::exchange(transport.held, {}))
                protocol.resume(id);
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
        // The event loop's turns, as many as the lines need.
        while (!transport.nextTurn.isEmpty()) {
            for (NetConnectionId id : std::exchange(transport.nextTurn, {}))
                protocol.resume(id);
        }
        checkState(protocol);
    }
    protocol.closeAll();
    if (!protocol.connections().empty() || !protocol.loggedClients().isEmpty())
        std::abort();
    return 0;
}
