// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

// One request for the management page, as the server hands it to the page: only what the page
// needs to decide, copied out of the connection so it can travel to another thread.
struct PageRequest {
    QByteArray method;        // GET, HEAD or POST, in the client's letter case
    QByteArray authorization; // the Authorization header's value; empty when none was sent
    QByteArray body;          // at most the kept-body limit
    bool bodyCut = false;     // the body was longer than what was kept
    quint32 peerAddress = 0;  // the client's IPv4 address, in host byte order
};
