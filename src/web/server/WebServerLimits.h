// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "web/server/HttpRequestLimits.h"

#include <chrono>

// Bounds on what clients can make the web access server hold. The defaults are the program's;
// tests shrink them so a limit is reached in milliseconds.
struct WebServerLimits {
    static constexpr int ListenBacklog = 15;
    static constexpr int DefaultMaxOpenConnections = 64;
    static constexpr std::chrono::milliseconds DefaultRequestDeadline{10'000};
    static constexpr std::chrono::milliseconds DefaultStopTimeout{5'000};

    // Connections beyond this wait in the listen backlog until one of the open ones ends.
    int maxOpenConnections = DefaultMaxOpenConnections;
    // From accept to a complete request; a client that trickles its bytes is cut off here.
    std::chrono::milliseconds requestDeadline = DefaultRequestDeadline;
    // How long a stop waits for the connections' thread before it gives up on it.
    std::chrono::milliseconds stopTimeout = DefaultStopTimeout;
    HttpRequestLimits request;
};
