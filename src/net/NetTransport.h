// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

using NetConnectionId = quint64;

// What the client protocol asks of the sockets beneath it.
class NetTransport {
public:
    virtual ~NetTransport() = default;
    // Sends one whole message; skipped for a connection that is no longer connected.
    virtual void send(NetConnectionId id, const QByteArray& message) = 0;
    // Closes a connection the server chose to close, once. The protocol forgets it, so nothing
    // the socket reports afterwards may reach the protocol again.
    virtual void close(NetConnectionId id) = 0;
    // The protocol set this connection's remaining lines aside: call NetProtocol::resume(id) at
    // a later turn of the event loop, after the sockets could write, and no sooner than
    // `afterMs` by the protocol's clock (0: at the next turn).
    virtual void resumeLater(NetConnectionId id, qint64 afterMs) = 0;
};
