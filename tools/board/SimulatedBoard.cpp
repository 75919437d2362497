// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimulatedBoard.h"

#include "device/SimBoardWire.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Enough for any test rig; a runaway host cannot exhaust the board's descriptors.
constexpr size_t MaxHosts = 64;
// Reports taken from one host per wake-up, so one chatty host cannot starve the others.
constexpr int MaxReportsPerWakeUp = 64;
constexpr int MaxSlots = 9999;
// Remembered pids; a host that reconnects from ever new processes cannot grow the board.
constexpr size_t MaxHostsSeen = 1024;

std::optional<sockaddr_un> socketAddress(const QByteArray& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof(address.sun_path))
        return std::nullopt;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return address;
}

enum class Occupant { None, LiveBoard, StaleSocket, OtherFile };

Occupant occupantOf(const QByteArray& path) {
    struct stat status {};
    if (::lstat(path.constData(), &status) != 0)
        return Occupant::None;
    if (!S_ISSOCK(status.st_mode))
        return Occupant::OtherFile;
    const std::optional<sockaddr_un> address = socketAddress(path);
    const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (!address || probe < 0) {
        if (probe >= 0)
            ::close(probe);
        return Occupant::OtherFile;
    }
    const int result =
        ::connect(probe, reinterpret_cast<const sockaddr*>(&*address), sizeof(*address));
    const int error = errno;
    ::close(probe);
    if (result == 0 || error == EAGAIN)
        return Occupant::LiveBoard;
    return error == ECONNREFUSED ? Occupant::StaleSocket : Occupant::OtherFile;
}

// Held while a board chooses its slot, so two boards starting together cannot take the same
// name or remove each other's fresh socket as stale.
class FolderLock {
public:
    explicit FolderLock(const QString& directory)
        : m_fd(::open(QFile::encodeName(directory + QStringLiteral("/.board-slots.lock")),
                      O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        if (m_fd >= 0)
            ::flock(m_fd, LOCK_EX);
    }
    ~FolderLock() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int m_fd;
};

QString lastError(const QString& what) {
    return QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

// One connected host: the reports coming in, and what is left of the report going out.
class BoardHost {
public:
    explicit BoardHost(int socket)
        : fd(socket) {}
    ~BoardHost() {
        delete notifier;
        ::close(fd);
    }
    BoardHost(const BoardHost&) = delete;
    BoardHost& operator=(const BoardHost&) = delete;

    // Sends what is left of the last report; true when nothing is left.
    bool flush() {
        while (outgoingSent < outgoingSize) {
            const ssize_t n =
                ::send(fd, outgoing.data() + outgoingSent, size_t(outgoingSize - outgoingSent),
                       MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n <= 0)
                return false;
            outgoingSent += int(n);
        }
        return true;
    }

    const int fd;
    QSocketNotifier* notifier = nullptr;
    SimBoardWire::FrameReader reader;
    std::array<quint8, SimBoardWire::MaxReport + 1> outgoing{};
    int outgoingSize = 0;
    int outgoingSent = 0;
    bool broken = false;
};

SimulatedBoard::SimulatedBoard(const BoardOptions& options, QObject* parent)
    : QObject(parent)
    , m_options(options) {
    m_sendTimer.setInterval(options.intervalMs);
    connect(&m_sendTimer, &QTimer::timeout, this, &SimulatedBoard::sendInputReport);
    m_sendTimer.start();
}

SimulatedBoard::~SimulatedBoard() {
    unplug();
}

QString SimulatedBoard::plug() {
    if (m_listener >= 0)
        return QStringLiteral("the board is plugged in already");
    const QString directory = QDir(m_options.directory).absolutePath();
    if (!QDir().mkpath(directory))
        return QStringLiteral("cannot make the folder %1").arg(directory);
    const FolderLock lock(directory);
    QString path;
    for (int slot = 1; slot <= MaxSlots && path.isEmpty(); ++slot) {
        const QString candidate =
            directory + QLatin1Char('/') +
            SimBoardWire::socketFileName({m_options.vendorId, m_options.productId, slot});
        // A stale socket, left by a board that died, is replaced below.
        const Occupant occupant = occupantOf(QFile::encodeName(candidate));
        if (occupant == Occupant::None || occupant == Occupant::StaleSocket)
            path = candidate;
    }
    if (path.isEmpty())
        return QStringLiteral("no free slot for these ids in %1").arg(directory);

    // Bound and listening under a hidden name first, then renamed into place: a host that sees
    // the board appear can connect at once.
    const QString binding =
        directory + QStringLiteral("/.binding-%1.sock").arg(QCoreApplication::applicationPid());
    const QByteArray encodedBinding = QFile::encodeName(binding);
    const QByteArray encoded = QFile::encodeName(path);
    const std::optional<sockaddr_un> address = socketAddress(encodedBinding);
    if (!address || !socketAddress(encoded))
        return QStringLiteral("the socket path %1 is too long; use a shorter --dir").arg(path);
    ::unlink(encodedBinding.constData());
    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listener < 0)
        return lastError(QStringLiteral("cannot make a socket"));
    if (::bind(listener, reinterpret_cast<const sockaddr*>(&*address), sizeof(*address)) != 0 ||
        ::listen(listener, 16) != 0 ||
        ::rename(encodedBinding.constData(), encoded.constData()) != 0) {
        const QString why = lastError(QStringLiteral("cannot listen on %1").arg(path));
        ::unlink(encodedBinding.constData());
        ::close(listener);
        return why;
    }
    struct stat status {};
    ::lstat(encoded.constData(), &status);
    m_socketInode = status.st_ino;
    m_listener = listener;
    m_socketPath = path;
    m_listenerNotifier = new QSocketNotifier(listener, QSocketNotifier::Read, this);
    connect(m_listenerNotifier, &QSocketNotifier::activated, this, &SimulatedBoard::acceptHosts);
    return {};
}

void SimulatedBoard::unplug() {
    m_hosts.clear();
    if (m_listener < 0)
        return;
    delete m_listenerNotifier;
    m_listenerNotifier = nullptr;
    const QByteArray encoded = QFile::encodeName(m_socketPath);
    struct stat status {};
    if (::lstat(encoded.constData(), &status) == 0 && status.st_ino == m_socketInode)
        ::unlink(encoded.constData());
    ::close(m_listener);
    m_listener = -1;
}

void SimulatedBoard::acceptHosts() {
    for (;;) {
        const int socket = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (socket < 0)
            return;
        if (m_hosts.size() >= MaxHosts) {
            ::close(socket);
            emit problem(QStringLiteral("too many hosts; refused one"));
            continue;
        }
        // A host that is not reading falls only a few reports behind; later ones are dropped,
        // as a full hidraw queue drops them.
        const int queueBytes = 4096;
        ::setsockopt(socket, SOL_SOCKET, SO_SNDBUF, &queueBytes, sizeof queueBytes);
        ucred peer{};
        socklen_t peerSize = sizeof peer;
        if (m_hostsSeen.size() < MaxHostsSeen &&
            ::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &peerSize) == 0)
            m_hostsSeen.insert(peer.pid);
        auto host = std::make_unique<BoardHost>(socket);
        BoardHost* raw = host.get();
        host->notifier = new QSocketNotifier(socket, QSocketNotifier::Read);
        connect(host->notifier, &QSocketNotifier::activated, this,
                [this, raw] { hostReadable(raw); });
        m_hosts.push_back(std::move(host));
    }
}

void SimulatedBoard::hostReadable(BoardHost* host) {
    for (int reports = 0; reports < MaxReportsPerWakeUp;) {
        const std::span<quint8> space = host->reader.space();
        const ssize_t n = ::recv(host->fd, space.data(), space.size(), MSG_DONTWAIT);
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        if (n <= 0) {
            closeHost(host);
            return;
        }
        switch (host->reader.advance(int(n))) {
        case SimBoardWire::FrameReader::Step::Incomplete:
            break;
        case SimBoardWire::FrameReader::Step::Invalid:
            emit problem(QStringLiteral("a host sent a broken stream; dropped it"));
            closeHost(host);
            return;
        case SimBoardWire::FrameReader::Step::Complete:
            ++reports;
            takeOutputReport(host->reader.report());
            break;
        }
    }
}

void SimulatedBoard::takeOutputReport(std::span<const quint8> report) {
    ++m_received;
    m_sinceLastReport.start();
    BoardReport::Bytes bytes{};
    std::copy_n(report.begin(), std::min(report.size(), bytes.size()), bytes.begin());
    const BoardReport::Outputs outputs = BoardReport::boardOutputs(bytes);
    for (size_t output = 0; output < outputs.size(); ++output) {
        if (outputs[output] == m_outputs[output])
            continue;
        m_outputs[output] = outputs[output];
        emit outputChanged(int(output) + 1, outputs[output]);
    }
}

void SimulatedBoard::sendInputReport() {
    if (m_silent || m_hosts.empty())
        return;
    const BoardReport::Bytes report = BoardReport::inputReport(m_inputs, m_nextKind);
    m_nextKind = m_nextKind == BoardReport::InputKind::Digital ? BoardReport::InputKind::Analog
                                                               : BoardReport::InputKind::Digital;
    const auto framed = SimBoardWire::frame(report);
    std::vector<BoardHost*> gone;
    for (const auto& host : m_hosts) {
        // A host that is not reading loses this report, as a full hidraw queue drops reports.
        if (!host->flush()) {
            if (errno != EAGAIN)
                gone.push_back(host.get());
            continue;
        }
        host->outgoing = *framed;
        host->outgoingSize = (*framed)[0] + 1;
        host->outgoingSent = 0;
        if (host->flush())
            ++m_sent;
        else if (errno != EAGAIN)
            gone.push_back(host.get());
    }
    for (BoardHost* host : gone)
        closeHost(host);
}

void SimulatedBoard::closeHost(BoardHost* host) {
    // Deleting the notifier whose signal is running is safe once control returns to the loop.
    const auto found = std::find_if(m_hosts.begin(), m_hosts.end(),
                                    [host](const auto& held) { return held.get() == host; });
    if (found == m_hosts.end())
        return;
    found->get()->notifier->setEnabled(false);
    found->release();
    m_hosts.erase(found);
    QMetaObject::invokeMethod(
        this, [host] { delete host; }, Qt::QueuedConnection);
}

void SimulatedBoard::setDigitalInput(int input, bool on) {
    m_inputs.DInputs[size_t(input - 1)] = on;
    ++m_inputChanges[size_t(input - 1)];
}

QString SimulatedBoard::execute(const BoardCommand& command) {
    using Kind = BoardCommand::Kind;
    switch (command.kind) {
    case Kind::Nothing:
    case Kind::Status:
        return {};
    case Kind::Input:
        setDigitalInput(command.index, command.value != 0);
        return {};
    case Kind::Press: {
        setDigitalInput(command.index, true);
        const quint64 change = m_inputChanges[size_t(command.index - 1)];
        QTimer::singleShot(command.value, this, [this, input = command.index, change] {
            if (m_inputChanges[size_t(input - 1)] == change)
                setDigitalInput(input, false);
        });
        return {};
    }
    case Kind::Input10:
        m_inputs.Input10 = command.value != 0;
        return {};
    case Kind::Analog:
        m_inputs.AInputs[size_t(command.index - 1)] = quint8(command.value);
        return {};
    case Kind::Frequency:
        m_inputs.FrequencyCount = quint16(command.value);
        return {};
    case Kind::Silent:
        m_silent = command.value != 0;
        return {};
    case Kind::Unplug:
        if (m_listener < 0)
            return QStringLiteral("unplug: the board is unplugged already");
        unplug();
        return {};
    case Kind::Plug:
        return plug();
    }
    return {};
}

QString SimulatedBoard::status() const {
    const auto bit = [](bool on) {
        return on ? QLatin1Char('1') : QLatin1Char('0');
    };
    QString text = QStringLiteral("reports received: %1 sent: %2\n").arg(m_received).arg(m_sent);
    text += QStringLiteral("inputs 1-9: ");
    for (bool on : m_inputs.DInputs)
        text += bit(on);
    text += QStringLiteral(" in10: ") + bit(m_inputs.Input10) + QStringLiteral("\nad 1-7:");
    for (quint8 value : m_inputs.AInputs)
        text += QLatin1Char(' ') + QString::number(value);
    text += QStringLiteral("\nfreq: ") + QString::number(m_inputs.FrequencyCount);
    text += QStringLiteral("\noutputs 1-8: ");
    for (bool on : m_outputs)
        text += bit(on);
    text += m_listener >= 0 ? QStringLiteral("\nplugged in at ") + m_socketPath
                            : QStringLiteral("\nunplugged");
    text += QStringLiteral(", %1 host(s) seen, %2 connected now")
                .arg(m_hostsSeen.size())
                .arg(m_hosts.size());
    if (m_sinceLastReport.isValid())
        text += QStringLiteral(", last report %1 s ago")
                    .arg(double(m_sinceLastReport.elapsed()) / 1000.0, 0, 'f', 1);
    if (m_silent)
        text += QStringLiteral(", silent");
    return text + QLatin1Char('\n');
}
