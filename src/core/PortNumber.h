// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Outside this range the socket layer would pick a port of its own or wrap the number.
constexpr qint32 LowestPort = 1;
constexpr qint32 HighestPort = 65535;

constexpr bool isPortNumber(qint32 port) {
    return port >= LowestPort && port <= HighestPort;
}

// "'<text>' is not a valid port number"
QString notAPortMessage(const QString& text);

// Empty when a server can listen on the port `text` names "as an integer", else what the user is
// told: the text holds no integer, or no port.
QString portTextRefusal(const QString& text);
