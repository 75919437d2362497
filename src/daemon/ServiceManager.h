// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// Tells systemd where the daemon stands, so `systemctl start` returns once the house runs and
// a stop shows as one. Nothing happens when no service manager started it ($NOTIFY_SOCKET
// unset). The datagram protocol is systemd's documented, stable interface; speaking it here
// instead of linking libsystemd keeps that library and the five it pulls in out of a daemon
// meant to stay small.
namespace ServiceManager {

// False when the service manager asked for word and could not be told.
bool notify(const QByteArray& state);
inline bool ready() {
    return notify("READY=1");
}
inline bool stopping() {
    return notify("STOPPING=1");
}

} // namespace ServiceManager
