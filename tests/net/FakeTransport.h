// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/NetTransport.h"

#include <QByteArray>
#include <QMap>

#include <utility>
#include <vector>

// Records what the protocol sent to each connection and which ones it closed.
class FakeTransport : public NetTransport {
public:
    void send(NetConnectionId id, const QByteArray& message) override { sent[id] += message; }
    void close(NetConnectionId id) override { closed.push_back(id); }
    void resumeLater(NetConnectionId id, qint64 afterMs) override {
        resumes.emplace_back(id, afterMs);
    }

    // What connection `id` received since the last take.
    QByteArray take(NetConnectionId id) { return sent.take(id); }
    void clear() { sent.clear(); }

    QMap<NetConnectionId, QByteArray> sent;
    std::vector<NetConnectionId> closed;
    // Each request to hand a connection's remaining lines back, with its delay.
    std::vector<std::pair<NetConnectionId, qint64>> resumes;
};
