// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/SimBoardConnection.h"

#include "core/LogCategories.h"

#include <QDeadlineTimer>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A board that takes no output report for this long is hung; the host must not hang with it.
constexpr int WriteTimeoutMs = 1000;

QString connectFailure(const QByteArray& path, int error) {
    const QString file = QFile::decodeName(path);
    switch (error) {
    case ENOENT:
        return QStringLiteral("The simulated board %1 is gone (unplugged).").arg(file);
    case ECONNREFUSED:
        return QStringLiteral("No simulated board answers at %1: the file is left from a board "
                              "that ended. Start gloamery-board again or delete the file.")
            .arg(file);
    case EAGAIN:
        return QStringLiteral("The simulated board %1 is too busy to take a connection.").arg(file);
    default:
        return QStringLiteral("Cannot connect to the simulated board %1: %2")
            .arg(file, QString::fromLocal8Bit(std::strerror(error)));
    }
}

// Waits for the socket to become ready for `events`; false when the time ran out.
bool waitFor(int socket, short events, const QDeadlineTimer& deadline) {
    for (;;) {
        pollfd watched{socket, events, 0};
        const qint64 remaining = deadline.remainingTime();
        const int ready =
            ::poll(&watched, 1, remaining < 0 ? -1 : int(std::min<qint64>(remaining, 1 << 30)));
        if (ready > 0)
            return true;
        if (ready == 0)
            return false;
        if (errno != EINTR)
            return false;
    }
}

} // namespace

std::unique_ptr<SimBoardConnection> SimBoardConnection::connectTo(const QByteArray& socketPath,
                                                                  QString* whyNot) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.isEmpty() || size_t(socketPath.size()) >= sizeof(address.sun_path)) {
        if (whyNot)
            *whyNot = QStringLiteral("The path of the simulated board %1 is too long for a socket.")
                          .arg(QFile::decodeName(socketPath));
        return nullptr;
    }
    std::memcpy(address.sun_path, socketPath.constData(), size_t(socketPath.size()));
    // Non-blocking: a board whose backlog is full must not hold up the caller.
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (socket < 0) {
        if (whyNot)
            *whyNot = connectFailure(socketPath, errno);
        return nullptr;
    }
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
        const int error = errno;
        ::close(socket);
        if (whyNot)
            *whyNot = connectFailure(socketPath, error);
        return nullptr;
    }
    return std::unique_ptr<SimBoardConnection>(new SimBoardConnection(socket));
}

SimBoardConnection::~SimBoardConnection() {
    drop();
}

void SimBoardConnection::drop() {
    if (m_socket >= 0)
        ::close(m_socket);
    m_socket = -1;
}

bool SimBoardConnection::write(const quint8* data, int length) {
    if (m_socket < 0 || data == nullptr || length <= 0)
        return false;
    const auto framed = SimBoardWire::frame({data, size_t(length)});
    if (!framed)
        return false;
    const int total = (*framed)[0] + 1;
    int sent = 0;
    const QDeadlineTimer deadline(WriteTimeoutMs);
    while (sent < total) {
        const ssize_t n =
            ::send(m_socket, framed->data() + sent, size_t(total - sent), MSG_NOSIGNAL);
        if (n > 0) {
            sent += int(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN && waitFor(m_socket, POLLOUT, deadline)) {
            continue;
        } else {
            // Half a report on the wire would put the stream out of step for good.
            if (sent > 0)
                drop();
            return false;
        }
    }
    return true;
}

int SimBoardConnection::read(quint8* data, int capacity, int timeoutMs) {
    if (m_socket < 0 || m_reader.invalid() || (data == nullptr && capacity > 0))
        return -1;
    const QDeadlineTimer deadline(timeoutMs < 0 ? QDeadlineTimer::Forever
                                                : QDeadlineTimer(timeoutMs));
    for (;;) {
        const std::span<quint8> space = m_reader.space();
        const ssize_t n = ::recv(m_socket, space.data(), space.size(), 0);
        if (n == 0) {
            qCDebug(lcDevice) << "simulated board closed the connection";
            drop();
            return -1;
        }
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN)
                return -1;
            if (!waitFor(m_socket, POLLIN, deadline))
                return 0;
            continue;
        }
        switch (m_reader.advance(int(n))) {
        case SimBoardWire::FrameReader::Step::Incomplete:
            continue;
        case SimBoardWire::FrameReader::Step::Invalid:
            qCWarning(lcDevice) << "simulated board sent a broken stream; closing it";
            drop();
            return -1;
        case SimBoardWire::FrameReader::Step::Complete:
            break;
        }
        // Like hidraw without numbered reports: the report id stays behind.
        const std::span<const quint8> report = m_reader.report().subspan(1);
        if (report.empty())
            continue; // a bare report id carries nothing to deliver
        const int copied = std::clamp(int(report.size()), 0, std::max(capacity, 0));
        if (copied > 0)
            std::memcpy(data, report.data(), size_t(copied));
        return copied;
    }
}
