// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestHttpClient.h"

#include <QCoreApplication>
#include <QThread>

#include <arpa/inet.h>
#include <cerrno>
#include <future>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

sockaddr_in loopback(quint16 port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

} // namespace

TestHttpClient::TestHttpClient(quint16 port, const char* from) {
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in source = loopback(0);
    const sockaddr_in address = loopback(port);
    if (m_fd >= 0 &&
        (::inet_pton(AF_INET, from, &source.sin_addr) != 1 ||
         ::bind(m_fd, reinterpret_cast<const sockaddr*>(&source), sizeof source) != 0 ||
         ::connect(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0))
        close();
}

TestHttpClient::~TestHttpClient() {
    close();
}

bool TestHttpClient::send(QByteArrayView bytes) {
    while (!bytes.isEmpty()) {
        const ssize_t sent = ::send(m_fd, bytes.data(), size_t(bytes.size()), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        bytes = bytes.sliced(sent);
    }
    return true;
}

void TestHttpClient::shutdownSending() {
    ::shutdown(m_fd, SHUT_WR);
}

void TestHttpClient::close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

TestHttpClient::Received TestHttpClient::readUntilClosed(std::chrono::milliseconds limit) {
    Received received;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    char buffer[4096];
    while (m_fd >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{m_fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, int(left.count())) == 0)
            return received;
        const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            received.bytes.append(buffer, n);
        } else if (n == 0 || errno != EINTR) {
            received.closed = true;
            return received;
        }
    }
    return received;
}

bool TestHttpClient::hasNewsWithin(std::chrono::milliseconds wait) {
    pollfd p{m_fd, POLLIN, 0};
    return ::poll(&p, 1, int(wait.count())) > 0;
}

TestHttpClient::Received exchangeServing(quint16 port, const QByteArray& request,
                                         const char* from) {
    std::future<TestHttpClient::Received> received = std::async(std::launch::async, [&] {
        TestHttpClient client(port, from);
        client.send(request);
        return client.readUntilClosed();
    });
    while (received.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return received.get();
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return true;
}

quint16 freePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = loopback(0);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}
