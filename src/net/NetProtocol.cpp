// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetProtocol.h"

#include "core/Clock.h"
#include "core/IntegerText.h"
#include "core/LogCategories.h"
#include "core/ProgramControl.h"
#include "core/Windows1251.h"
#include "net/NetClients.h"
#include "net/NetCommands.h"
#include "net/NetUserData.h"
#include "net/NetWire.h"

#include <algorithm>
#include <utility>

using NetWire::ExtractField;
using NetWire::FieldSeparator;

const QString NetProtocol::ClientActionFormat =
    QStringLiteral("От %1 получено: %2,%3,%4,\"%5\",\"%6\",\"%7\".");
const QString NetProtocol::CommandEntryFormat = QStringLiteral(" command %1");

NetProtocol::NetProtocol(NetClients& clients, NetTransport& transport, const Clock& clock,
                         std::function<void()> beep, const NetLimits& limits, QObject* parent)
    : QObject(parent)
    , m_limits(limits)
    , m_clients(clients)
    , m_transport(transport)
    , m_clock(clock)
    , m_beep(std::move(beep))
    , m_loginThrottle(limits)
    , m_commandWarnings(limits.warningIntervalMs, limits.maxConnections)
    , m_loginWarnings(limits.warningIntervalMs, limits.maxRememberedAddresses) {}

NetProtocol::~NetProtocol() = default;

NetConnectionState* NetProtocol::find(NetConnectionId id) {
    auto it = std::find_if(m_connections.begin(), m_connections.end(),
                           [id](const NetConnectionState& c) { return c.id == id; });
    return it == m_connections.end() ? nullptr : &*it;
}

const NetConnectionState* NetProtocol::find(NetConnectionId id) const {
    return const_cast<NetProtocol*>(this)->find(id);
}

bool NetProtocol::forget(NetConnectionId id) {
    auto it = std::find_if(m_connections.begin(), m_connections.end(),
                           [id](const NetConnectionState& c) { return c.id == id; });
    if (it == m_connections.end())
        return false;
    m_connections.erase(it);
    return true;
}

void NetProtocol::connectionOpened(NetConnectionId id, const QString& remoteAddress) {
    if (find(id))
        return;
    NetConnectionState state;
    state.id = id;
    state.remoteAddress = remoteAddress;
    m_connections.push_back(std::move(state));
}

void NetProtocol::dataReceived(NetConnectionId id, QByteArrayView bytes) {
    NetConnectionState* state = find(id);
    if (!state)
        return;
    state->receiveBuffer.append(bytes);
    handleInput(id);
}

bool NetProtocol::wantsInput(NetConnectionId id) const {
    const NetConnectionState* state = find(id);
    return state && state->receiveBuffer.indexOf(NetWire::LineEnd, state->handledBytes) < 0;
}

void NetProtocol::resume(NetConnectionId id) {
    if (find(id))
        handleInput(id);
}

void NetProtocol::handleInput(NetConnectionId id) {
    // Every connection hears once per turn that lines were handled, not once per line: a burst
    // of empty lines would otherwise queue megabytes for every peer before any could be written.
    bool broadcastOwed = false;
    for (int handled = 0;;) {
        // Looked up again for every line: a line's handling may have closed this connection.
        NetConnectionState* state = find(id);
        if (!state)
            break;
        const qsizetype lineEnd =
            state->receiveBuffer.indexOf(NetWire::LineEnd, state->handledBytes);
        const qsizetype lineBytes =
            (lineEnd < 0 ? state->receiveBuffer.size() : lineEnd) - state->handledBytes;
        if (lineBytes > MaxLineBytes) {
            qCWarning(lcNet) << "connection" << id << "sent a line over" << MaxLineBytes
                             << "bytes; closing it";
            closeConnection(id);
            break;
        }
        if (lineEnd < 0) {
            state->receiveBuffer.remove(0, std::exchange(state->handledBytes, 0));
            break;
        }
        const QByteArrayView line =
            QByteArrayView(state->receiveBuffer).sliced(state->handledBytes, lineBytes);
        const qint64 hold = handled == m_limits.linesPerTurn ? 0 : holdMs(*state, line);
        if (handled == m_limits.linesPerTurn || hold > 0) {
            m_transport.resumeLater(id, hold);
            break;
        }
        const QByteArray taken = line.toByteArray();
        state->handledBytes = lineEnd + 1;
        ++handled;
        if (HandleClientLine(id, taken))
            broadcastOwed = true;
    }
    if (broadcastOwed)
        BroadcastUserVariables();
}

qint64 NetProtocol::holdMs(const NetConnectionState& state, QByteArrayView line) const {
    if (ExtractField(FieldSeparator, 1, line) != "login")
        return 0;
    return m_loginThrottle.waitMs(state.remoteAddress, m_clock.now());
}

bool NetProtocol::HandleClientLine(NetConnectionId id, QByteArrayView line) {
    const QByteArrayView word = ExtractField(FieldSeparator, 1, line);
    if (word == "login")
        HandleLogin(id, line);
    else if (word == "ExecCommand")
        return HandleExecCommand(id, line);
    else if (word == "SendMessageTo")
        HandleSendMessageTo(id, line);
    else if (word == "ClientAction")
        HandleClientAction(id, line);
    return true;
}

void NetProtocol::HandleLogin(NetConnectionId id, QByteArrayView line) {
    NetConnectionState* state = find(id);
    if (!state)
        return;
    const bool addressLoggedIn =
        std::any_of(m_connections.begin(), m_connections.end(), [&](const NetConnectionState& c) {
            return c.loggedIn && c.remoteAddress == state->remoteAddress;
        });
    if (addressLoggedIn) {
        send(*state, NetWire::message("AlreadyConnected"));
        return;
    }
    const QByteArrayView name = ExtractField(FieldSeparator, 2, line);
    const QByteArrayView password = ExtractField(FieldSeparator, 3, line);
    // An entry without a name or a password would let anyone in who sends empty fields.
    auto account = name.isEmpty() || password.isEmpty() ? nullptr : m_clients.find(name, password);
    if (!account) {
        refuseLogin(*state, name);
        return;
    }
    m_loginThrottle.succeeded(state->remoteAddress);
    state->loggedIn = true;
    state->account = std::move(account);
    RefreshLoggedClients();
    state = find(id);
    if (!state)
        return;
    SendPrivileges(*state);
    send(*state, NetWire::message("LoggedAs", {name}));
}

void NetProtocol::refuseLogin(NetConnectionState& state, QByteArrayView name) {
    send(state, NetWire::message("AcsessDeny"));
    const QDateTime now = m_clock.now();
    m_loginThrottle.failed(state.remoteAddress, now);
    if (const auto note = m_loginWarnings.admit(state.remoteAddress, now)) {
        constexpr qsizetype ShownNameBytes = 64;
        qCWarning(lcNet).nospace()
            << "wrong login as "
            << Windows1251::decode(name.first(std::min(name.size(), ShownNameBytes))) << " from "
            << state.remoteAddress << qUtf8Printable(*note);
    }
    if (++state.failedLogins >= m_limits.failedLoginsPerConnection)
        closeConnection(state.id);
}

void NetProtocol::SendPrivileges(const NetConnectionState& to) {
    QByteArray block = NetWire::message("BeginPrivileges");
    for (int n = 1; n <= NetUserData::RightCount; ++n) {
        block += NetWire::message("Privilege",
                                  {QByteArray::number(n), to.account->right(n) ? "1" : "0"});
    }
    if (to.account->editEnable())
        block += NetWire::message("EditEnable");
    block += NetWire::message("EndPrivileges");
    send(to, block);
}

bool NetProtocol::HandleExecCommand(NetConnectionId id, QByteArrayView line) {
    const NetConnectionState* state = find(id);
    if (!state || !state->account)
        return true;
    const QString text = Windows1251::decode(ExtractField(FieldSeparator, 2, line));
    const auto command = integerFromText(text);
    if (!command) {
        // Once a message box that stopped the server; now a note the operator can read, and
        // the line is dropped as it always was.
        const QString name = Windows1251::decode(state->account->name());
        if (const auto note = m_commandWarnings.admit(name, m_clock.now())) {
            const QString message = notAnIntegerMessage(text);
            qCWarning(lcNet).noquote() << name << "sent ExecCommand with" << message + *note;
            putLogEntry(name, message);
        }
        return false;
    }
    // The account stays alive through the command even if its connection does not.
    const std::shared_ptr<NetUserData> account = state->account;
    if (account->right(*command))
        ExecuteClientCommand(*account, *command);
    else
        qCInfo(lcNet).noquote() << Windows1251::decode(account->name()) << "may not send command"
                                << *command;
    return true;
}

void NetProtocol::ExecuteClientCommand(const NetUserData& account, int command) {
    if (!m_control)
        return;
    const auto outcome = NetCommands::run(*m_control, command);
    const QString name = Windows1251::decode(account.name());
    if (outcome == ProgramControl::Outcome::Done) {
        putLogEntry(name, CommandEntryFormat.arg(command));
        return;
    }
    // The protocol answers no command, so a refusal reaches only the operator's debug output.
    const char* why = !outcome                                          ? "no such command"
                      : *outcome == ProgramControl::Outcome::DialogOpen ? "a dialog is open"
                      : *outcome == ProgramControl::Outcome::NoBoard    ? "no board for the door"
                                                                        : "refused";
    qCInfo(lcNet).noquote() << name << "sent command" << command << "and it was not run:" << why;
}

void NetProtocol::HandleSendMessageTo(NetConnectionId id, QByteArrayView line) {
    const NetConnectionState* sender = find(id);
    if (!sender || !sender->account)
        return;
    const QByteArrayView target = ExtractField(FieldSeparator, 2, line);
    const QByteArray relayed = NetWire::message(
        "ShowMessageFrom", {sender->account->name(), ExtractField(FieldSeparator, 3, line)});
    const auto connections = m_connections;
    for (const NetConnectionState& c : connections) {
        if (c.id != id && c.account && c.account->name() == target)
            send(c, relayed);
    }
}

void NetProtocol::HandleClientAction(NetConnectionId id, QByteArrayView line) {
    const NetConnectionState* state = find(id);
    if (!state || !state->account)
        return;
    auto text = [&](int field) {
        return Windows1251::decode(ExtractField(FieldSeparator, field, line));
    };
    auto integer = [&](int field) {
        return QString::number(integerFromText(text(field)).value_or(0));
    };
    const QString name = Windows1251::decode(state->account->name());
    // One pass: a chain of arg() calls would read "%1" inside the name or a text as a place for
    // the next field.
    putLogEntry(name, ClientActionFormat.arg(name, integer(2), integer(3), integer(4), text(5),
                                             text(6), text(7)));
}

void NetProtocol::putLogEntry(const QString& name, const QString& entry) {
    m_log.put(name, entry);
    emit clientActionLogChanged(m_log.lines());
}

void NetProtocol::clearClientActionLog() {
    m_log.clear();
    emit clientActionLogChanged(m_log.lines());
}

void NetProtocol::BroadcastUserVariables() {
    const auto connections = m_connections;
    for (const NetConnectionState& c : connections)
        send(c, NetWire::userVariables());
}

void NetProtocol::send(const NetConnectionState& to, const QByteArray& message) {
    m_transport.send(to.id, message);
}

void NetProtocol::rebuildLoggedClients() {
    m_loggedClients.clear();
    QStringList shown;
    for (const NetConnectionState& c : m_connections) {
        if (!c.account)
            continue;
        const QString name = Windows1251::decode(c.account->name());
        if (!shown.contains(name, Qt::CaseInsensitive)) {
            shown.append(name);
            m_loggedClients.append(c.account->name());
        }
    }
    emit loggedClientsChanged(shown);
}

QStringList NetProtocol::loggedClients() const {
    QStringList names;
    for (const QByteArray& name : m_loggedClients)
        names.append(Windows1251::decode(name));
    return names;
}

void NetProtocol::RefreshLoggedClients() {
    rebuildLoggedClients();
    const auto connections = m_connections;
    for (const NetConnectionState& c : connections)
        SendLoggedList(c);
}

void NetProtocol::SendLoggedList(const NetConnectionState& recipient) {
    QByteArray block = NetWire::message("BeginLogged");
    QStringList named;
    for (const NetConnectionState& c : m_connections) {
        if (!c.account || (recipient.account && c.account->name() == recipient.account->name()))
            continue;
        const QString name = Windows1251::decode(c.account->name());
        if (named.contains(name, Qt::CaseInsensitive))
            continue;
        named.append(name);
        block += NetWire::message("Logged", {c.account->name()});
    }
    block += NetWire::message("EndLogged");
    send(recipient, block);
}

void NetProtocol::beep() {
    // A burst of disconnects (a stop of many clients, a flood of short connections) must not
    // turn into a burst of beeps.
    const QDateTime now = m_clock.now();
    if (m_lastBeep.isValid() && qAbs(m_lastBeep.msecsTo(now)) < MinBeepIntervalMs)
        return;
    m_lastBeep = now;
    if (m_beep)
        m_beep();
}

void NetProtocol::connectionClosed(NetConnectionId id) {
    if (!find(id))
        return;
    beep();
    forget(id);
    RefreshLoggedClients();
}

void NetProtocol::closeConnection(NetConnectionId id) {
    if (!find(id))
        return;
    m_transport.close(id);
    beep();
    forget(id);
    RefreshLoggedClients();
}

void NetProtocol::closeAll() {
    const auto closing = std::exchange(m_connections, {});
    for (const NetConnectionState& c : closing)
        m_transport.close(c.id);
    rebuildLoggedClients();
}

void NetProtocol::closeWhere(const std::function<bool(const NetConnectionState&)>& matches) {
    std::vector<NetConnectionId> closing;
    for (const NetConnectionState& c : m_connections) {
        if (c.account && matches(c))
            closing.push_back(c.id);
    }
    for (NetConnectionId id : closing)
        closeConnection(id);
}

void NetProtocol::closeAllClients() {
    const QList<QByteArray> names = m_loggedClients;
    for (auto name = names.crbegin(); name != names.crend(); ++name)
        closeWhere([&](const NetConnectionState& c) { return c.account->name() == *name; });
    RefreshLoggedClients();
}

void NetProtocol::closeMarkedClients(const QStringList& names) {
    closeWhere([&](const NetConnectionState& c) {
        return names.contains(Windows1251::decode(c.account->name()), Qt::CaseInsensitive);
    });
    RefreshLoggedClients();
}

void NetProtocol::deleteClient(int index) {
    if (index < 0 || index >= m_clients.count())
        return;
    const auto record = m_clients.record(index);
    closeWhere([&](const NetConnectionState& c) { return c.account == record; });
    m_clients.removeAt(index);
}
