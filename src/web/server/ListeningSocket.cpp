// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/server/ListeningSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

UniqueFd openListeningSocket(int port, int backlog) {
    if (port < 0 || port > 65535)
        return {};
    UniqueFd fd(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!fd.isValid())
        return {};
    // A restart right after a stop must not be refused because of the last connections'
    // TIME_WAIT; a port another program listens on is still refused.
    const int on = 1;
    ::setsockopt(fd.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(quint16(port));
    if (::bind(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return {};
    if (::listen(fd.get(), backlog) != 0)
        return {};
    return fd;
}

quint16 boundPort(int listeningFd) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (::getsockname(listeningFd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return 0;
    return ntohs(address.sin_port);
}
