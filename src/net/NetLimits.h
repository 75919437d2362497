// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Bounds on what peers of the network server can make it hold or do: anyone who reaches the port
// is assumed to be an attacker. The defaults are the program's; tests shrink them so a limit is
// reached with a few connections.
struct NetLimits {
    // Past these, new connections are closed at once.
    int maxConnections = 128;
    int maxConnectionsPerAddress = 16;
    // A peer that does not read its messages is cut off before its queue grows past this...
    qint64 maxUnsentBytes = 1024 * 1024;
    // ...and the longest queue goes when all of them together grow past this.
    qint64 maxTotalUnsentBytes = 16 * 1024 * 1024;
    // Lines of one connection handled before the others, and the sockets' writing, get a turn.
    int linesPerTurn = 32;

    // A connection that sent this many wrong logins is closed.
    int failedLoginsPerConnection = 3;
    // After a wrong login the next login from that address is answered this much later, twice as
    // late after each further failure, never later than the cap.
    qint64 firstFailureDelayMs = 500;
    qint64 maxFailureDelayMs = 30'000;
    // An address quiet this long starts afresh; no more than this many are remembered.
    qint64 failureMemoryMs = 15 * 60'000;
    int maxRememberedAddresses = 1024;
    // All addresses together: a burst of this many wrong logins, then one per interval.
    int failureBurst = 20;
    qint64 failureIntervalMs = 1000;

    // One warning of a kind per client or address per interval; the others are counted.
    qint64 warningIntervalMs = 1000;
};
