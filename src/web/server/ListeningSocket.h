// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "web/server/UniqueFd.h"

#include <QtGlobal>

// A non-blocking TCP socket listening on every local IPv4 address, with exactly the backlog
// given (a Qt server socket picks its own). Port 0 lets the system choose a free port. Invalid
// when the port is out of range, taken or not permitted.
UniqueFd openListeningSocket(int port, int backlog);

// The port a listening socket is bound to, or 0 when it cannot be read.
quint16 boundPort(int listeningFd);
