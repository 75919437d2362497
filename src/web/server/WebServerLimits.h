// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "web/server/HttpRequestLimits.h"

#include <chrono>

// Bounds on what clients can make the web access server hold. The defaults are the program's;
// tests shrink them so a limit is reached in milliseconds.
struct WebServerLimits {
    static constexpr int ListenBacklog = 15;
    static constexpr int DefaultMaxOpenConnections = 64;
    static constexpr int DefaultMaxConnectionsPerAddress = 8;
    static constexpr std::chrono::milliseconds DefaultHeaderDeadline{3'000};
    static constexpr std::chrono::milliseconds DefaultRequestDeadline{10'000};
    static constexpr std::chrono::milliseconds DefaultStopTimeout{5'000};

    // Connections beyond this wait in the listen backlog until one of the open ones ends.
    int maxOpenConnections = DefaultMaxOpenConnections;
    // One address's share of them: a further connection from it is closed at once, so one host
    // cannot take every place and leave the others waiting in the backlog. A phone's browser
    // opens a handful at most.
    int maxConnectionsPerAddress = DefaultMaxConnectionsPerAddress;
    // From accept to the end of the headers. A client sends them in one go; one that trickles
    // them holds a place for nothing, and this frees it long before the whole request's deadline.
    std::chrono::milliseconds headerDeadline = DefaultHeaderDeadline;
    // From accept to a complete request; a client that trickles its bytes is cut off here.
    std::chrono::milliseconds requestDeadline = DefaultRequestDeadline;
    // How long a stop waits for the connections' thread before it gives up on it.
    std::chrono::milliseconds stopTimeout = DefaultStopTimeout;
    HttpRequestLimits request;
};
