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
};
