// SPDX-License-Identifier: GPL-3.0-or-later
#include "daemon/ServiceManager.h"

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace ServiceManager {

bool notify(const QByteArray& state) {
    const QByteArray address = qgetenv("NOTIFY_SOCKET");
    if (address.isEmpty())
        return true;
    sockaddr_un target{};
    // A path, or an abstract name written with a leading '@'.
    if ((address[0] != '/' && address[0] != '@') || address.size() >= int(sizeof target.sun_path))
        return false;
    target.sun_family = AF_UNIX;
    std::memcpy(target.sun_path, address.constData(), size_t(address.size()));
    if (target.sun_path[0] == '@')
        target.sun_path[0] = '\0';
    const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(address.size()));
    const ssize_t sent = sendto(fd, state.constData(), size_t(state.size()), MSG_NOSIGNAL,
                                reinterpret_cast<const sockaddr*>(&target), length);
    close(fd);
    return sent == state.size();
}

} // namespace ServiceManager
