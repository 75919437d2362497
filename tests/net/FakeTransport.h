// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/NetTransport.h"

#include <QByteArray>
#include <QMap>

#include <vector>

// Records what the protocol sent to each connection and which ones it closed.
class FakeTransport : public NetTransport {
public:
    void send(NetConnectionId id, const QByteArray& message) override { sent[id] += message; }
    void close(NetConnectionId id) override { closed.push_back(id); }

    // What connection `id` received since the last take.
    QByteArray take(NetConnectionId id) { return sent.take(id); }
    void clear() { sent.clear(); }

    QMap<NetConnectionId, QByteArray> sent;
    std::vector<NetConnectionId> closed;
};
