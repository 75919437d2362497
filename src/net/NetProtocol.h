// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PacedWarnings.h"
#include "net/LoginThrottle.h"
#include "net/NetClientActionLog.h"
#include "net/NetLimits.h"
#include "net/NetTransport.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class Clock;
class NetClients;
class NetUserData;
class ProgramControl;

// One accepted connection (NetConnectionState).
struct NetConnectionState {
    NetConnectionId id = 0;
    QString remoteAddress; // IPv4 as dotted text
    // Bytes received and not handled yet: whole lines waiting for their turn, then the line
    // still arriving. The first `handledBytes` of it are done with.
    QByteArray receiveBuffer;
    qsizetype handledBytes = 0;
    bool loggedIn = false;
    int failedLogins = 0;
    std::shared_ptr<NetUserData> account;
};

// The client protocol without sockets: bytes received on a connection in, messages to the
// connections out through the transport. Every event arrives on one thread and runs to its end.
// A connection's lines are handled a few at a time, and a login after wrong ones waits, each
// connection's lines in the order they came; the transport hands the rest back later.
class NetProtocol : public QObject {
    Q_OBJECT
public:
    // A line this long without a line feed is not a client of ours: the connection is closed.
    static constexpr qsizetype MaxLineBytes = 64 * 1024;
    static constexpr qint64 MinBeepIntervalMs = 1000;
    static const QString ClientActionFormat;
    // The log entry of a command carried out, after the client's name and ":".
    static const QString CommandEntryFormat;

    // The beep is the window's (it needs the GUI); the clock only paces it.
    NetProtocol(NetClients& clients, NetTransport& transport, const Clock& clock,
                std::function<void()> beep, const NetLimits& limits = {},
                QObject* parent = nullptr);
    ~NetProtocol() override;

    // What a permitted "ExecCommand" drives; without it (null) the commands change nothing.
    void setProgramControl(ProgramControl* control) { m_control = control; }

    // Socket events.
    void connectionOpened(NetConnectionId id, const QString& remoteAddress);
    void dataReceived(NetConnectionId id, QByteArrayView bytes);
    // Whether the connection has handled every whole line it received; until then the transport
    // keeps further bytes in the socket, so what one peer sends is held in one place only.
    bool wantsInput(NetConnectionId id) const;
    // The transport's answer to NetTransport::resumeLater.
    void resume(NetConnectionId id);
    // The peer closed the connection or it failed: the disconnect handling (beep, fresh lists).
    void connectionClosed(NetConnectionId id);

    // The server closes one connection: the transport closes it, then the disconnect handling.
    void closeConnection(NetConnectionId id);
    // The listening socket closes: every connection is closed without beeps or lists.
    void closeAll();
    // CloseAllClients: for each current-clients name from the last to the first, the
    // connections logged in under exactly that name; then fresh lists.
    void closeAllClients();
    // CloseMarkedClients: the connections whose account name is among `names` (letter case
    // ignored); then fresh lists. Connections without an account are never closed here.
    void closeMarkedClients(const QStringList& names);
    // Delete of a registered client: its connections close first, then the entry goes.
    void deleteClient(int index);
    void RefreshLoggedClients();

    // The current-clients list: each distinct logged-in name (letter case ignored), in
    // connection order.
    QStringList loggedClients() const;
    const NetClientActionLog& clientActionLog() const { return m_log; }
    void clearClientActionLog();
    const std::vector<NetConnectionState>& connections() const { return m_connections; }

signals:
    void loggedClientsChanged(const QStringList& names);
    void clientActionLogChanged(const QStringList& lines);

private:
    NetConnectionState* find(NetConnectionId id);
    const NetConnectionState* find(NetConnectionId id) const;
    void handleInput(NetConnectionId id);
    // How long the line must wait before it is handled; 0 for now.
    qint64 holdMs(const NetConnectionState& state, QByteArrayView line) const;
    void refuseLogin(NetConnectionState& state, QByteArrayView name);
    // Forgets the connection; true when it was known.
    bool forget(NetConnectionId id);
    void beep();
    void send(const NetConnectionState& to, const QByteArray& message);
    // False when the line was dropped without its broadcast.
    bool HandleClientLine(NetConnectionId id, QByteArrayView line);
    void HandleLogin(NetConnectionId id, QByteArrayView line);
    bool HandleExecCommand(NetConnectionId id, QByteArrayView line);
    void ExecuteClientCommand(const NetUserData& account, int command);
    void HandleSendMessageTo(NetConnectionId id, QByteArrayView line);
    void HandleClientAction(NetConnectionId id, QByteArrayView line);
    void SendLoggedList(const NetConnectionState& recipient);
    void SendPrivileges(const NetConnectionState& to);
    void BroadcastUserVariables();
    void putLogEntry(const QString& name, const QString& entry);
    void rebuildLoggedClients();
    void closeWhere(const std::function<bool(const NetConnectionState&)>& matches);

    NetLimits m_limits;
    NetClients& m_clients;
    NetTransport& m_transport;
    const Clock& m_clock;
    std::function<void()> m_beep;
    ProgramControl* m_control = nullptr;
    std::vector<NetConnectionState> m_connections;
    QList<QByteArray> m_loggedClients;
    NetClientActionLog m_log;
    QDateTime m_lastBeep;
    LoginThrottle m_loginThrottle;
    PacedWarnings m_commandWarnings;
    PacedWarnings m_loginWarnings;
};
