// SPDX-License-Identifier: GPL-3.0-or-later
// Attacks on the network server, loopback only, each bounded in time and stopping by itself. The
// server runs on the main thread of this process as in the program; the attacker is a second
// thread with plain sockets.
//
//   build/bench/net_attack_bench guess [seconds=3]
//       One client's password guessed with pipelined logins, reconnecting whenever the server
//       closes, from 16 loopback addresses in turn. The right password is the 372,000th guess.
//   build/bench/net_attack_bench disconnect-all [readers=10]
//       Connections that read all they get; a stranger sends 2 KB of empty lines in one write.
//   build/bench/net_attack_bench memory [connections=1000]
//       Connections that never read, then 2 KB of empty lines; the server's peak memory.
//
// Figures on the development machine (2 cores, shared), before the limits and after them:
//   guess           before: 391,000 wrong logins a second on one connection, never closed; the
//                   password fell after 0.95 s.
//                   after:  20 wrong logins answered in 10 s on 7 connections (the shared budget
//                   of 20, then one a second at most); the password did not fall. At one a
//                   second a four-letter password of the old defaults takes weeks on average,
//                   a twelve-letter one of the new defaults forever.
//   disconnect-all  before: 10 of 10 readers and the stranger cut off.
//                   after:  none cut off.
//   memory          before: all 1,000 connections taken; 274 MB more resident memory for the
//                   2 KB (each queue holds 2,000 messages of shared bytes; copies would be 1 GB).
//                   after:  128 connections taken, the rest closed at once; no measurable growth.
#include "core/Clock.h"
#include "net/NetClients.h"
#include "net/NetServer.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Steady = std::chrono::steady_clock;

constexpr char ClientName[] = "Client_1";
constexpr char Password[] = "k7Qz";
constexpr long RightGuess = 372000;

class WallClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// The most resident memory the process has had: the server's work between two samples is one
// event, so only the kernel's high-water mark sees its peak.
long peakRssKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

void raiseFileLimit(rlim_t needed) {
    rlimit limit{};
    getrlimit(RLIMIT_NOFILE, &limit);
    if (limit.rlim_cur < needed) {
        limit.rlim_cur = std::min(limit.rlim_max, needed);
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

// A connection to the server from 127.0.0.`host`; blocking until connected, then non-blocking.
int connectFrom(quint16 port, int host, int receiveBuffer = 0) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (receiveBuffer > 0)
        setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    sockaddr_in from{};
    from.sin_family = AF_INET;
    from.sin_addr.s_addr = htonl(INADDR_LOOPBACK + quint32(host) - 1);
    bind(fd, reinterpret_cast<sockaddr*>(&from), sizeof from);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
        close(fd);
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    return fd;
}

// Reads what is there; false once the server closed the connection.
bool drain(int fd, std::string& into) {
    char buffer[65536];
    for (;;) {
        const ssize_t got = recv(fd, buffer, sizeof buffer, 0);
        if (got > 0) {
            into.append(buffer, std::size_t(got));
            continue;
        }
        return got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
}

std::string loginLine(const std::string& password) {
    return std::string("login\x01") + ClientName + "\x01" + password + "\n";
}

std::string guess(long n) {
    // Appended rather than "g" + ...: GCC 12 at -O3 warns falsely on that form (-Wrestrict).
    return n == RightGuess ? Password : std::string("g").append(std::to_string(n));
}

void guessing(quint16 port, int seconds) {
    constexpr int InFlight = 256;
    constexpr int Addresses = 16;
    const auto start = Steady::now();
    const auto end = start + std::chrono::seconds(seconds);
    long sent = 0;
    long refused = 0;
    long connects = 0;
    double fellAfter = -1;
    int fd = -1;
    std::string received;
    while (Steady::now() < end && fellAfter < 0) {
        if (fd < 0) {
            fd = connectFrom(port, 1 + int(connects++ % Addresses));
            received.clear();
            // Guesses sent on a connection that closed were never answered: send them again.
            sent = refused;
        }
        std::string batch;
        for (; sent < refused + InFlight; ++sent)
            batch += loginLine(guess(sent));
        if (!batch.empty())
            send(fd, batch.data(), batch.size(), MSG_NOSIGNAL);
        pollfd polled{fd, POLLIN, 0};
        poll(&polled, 1, 100);
        const bool open = drain(fd, received);
        std::size_t at = 0;
        for (std::size_t lineEnd; (lineEnd = received.find('\n', at)) != std::string::npos;
             at = lineEnd + 1) {
            const std::string_view line(received.data() + at, lineEnd - at);
            if (line == "AcsessDeny")
                ++refused;
            else if (line.starts_with("LoggedAs"))
                fellAfter = std::chrono::duration<double>(Steady::now() - start).count();
        }
        received.erase(0, at);
        if (!open) {
            close(fd);
            fd = -1;
        }
    }
    if (fd >= 0)
        close(fd);
    const double took = std::chrono::duration<double>(Steady::now() - start).count();
    std::printf("guess: %ld wrong logins answered in %.1f s (%.0f a second) on %ld connections\n",
                refused, took, double(refused) / took, connects);
    if (fellAfter >= 0)
        std::printf("guess: the password fell after %.2f s\n", fellAfter);
    else
        std::printf("guess: the password did not fall (it was guess number %ld)\n", RightGuess);
}

void disconnectAll(quint16 port, int readers) {
    std::vector<int> fds;
    std::string discard;
    for (int i = 0; i < readers; ++i)
        fds.push_back(connectFrom(port, 2 + i));
    const int stranger = connectFrom(port, 200);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const std::string newlines(2048, '\n');
    send(stranger, newlines.data(), newlines.size(), MSG_NOSIGNAL);
    std::vector<bool> open(fds.size(), true);
    bool strangerOpen = true;
    const auto end = Steady::now() + std::chrono::seconds(3);
    while (Steady::now() < end) {
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (open[i])
                open[i] = drain(fds[i], discard);
            discard.clear();
        }
        if (strangerOpen)
            strangerOpen = drain(stranger, discard);
        discard.clear();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const long cut = std::count(open.begin(), open.end(), false);
    std::printf("disconnect-all: %ld of %d readers cut off; the stranger %s\n", cut, readers,
                strangerOpen ? "still connected" : "cut off");
    for (int fd : fds)
        close(fd);
    close(stranger);
}

void memory(quint16 port, int connections, const std::function<int()>& serverConnections) {
    std::vector<int> fds;
    for (int i = 0; i < connections; ++i) {
        const int fd = connectFrom(port, 2 + i % 250, 4096);
        if (fd >= 0)
            fds.push_back(fd);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const int taken = serverConnections();
    const long before = peakRssKb();
    const int stranger = connectFrom(port, 251);
    const std::string newlines(2048, '\n');
    send(stranger, newlines.data(), newlines.size(), MSG_NOSIGNAL);
    std::this_thread::sleep_for(std::chrono::seconds(3));
    std::printf("memory: %zu connections that never read, %d taken by the server; peak resident "
                "memory %ld MB, %ld MB more than before the 2 KB\n",
                fds.size(), taken, peakRssKb() / 1024, (peakRssKb() - before) / 1024);
    for (int fd : fds)
        close(fd);
    close(stranger);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString scenario = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const int count = argc > 2 ? std::atoi(argv[2]) : 0;
    raiseFileLimit(4096);

    NetClients clients(nullptr, nullptr);
    clients.add(QString::fromLatin1(ClientName));
    clients.select(0);
    clients.apply(QString::fromLatin1(Password), {true, true, true, true});
    WallClock clock;
    NetServer server(clients, clock, [] {});
    if (!server.listen(0)) {
        std::printf("cannot listen: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    std::atomic<int> serverConnections{0};
    QTimer sample;
    QObject::connect(&sample, &QTimer::timeout,
                     [&] { serverConnections = server.connectionCount(); });
    sample.start(20);

    std::function<void()> attack;
    const quint16 port = server.port();
    if (scenario == QLatin1String("guess"))
        attack = [=] {
            guessing(port, count > 0 ? count : 3);
        };
    else if (scenario == QLatin1String("disconnect-all"))
        attack = [=] {
            disconnectAll(port, std::clamp(count > 0 ? count : 10, 1, 10));
        };
    else if (scenario == QLatin1String("memory"))
        attack = [&, port] {
            memory(port, count > 0 ? count : 1000, [&] { return serverConnections.load(); });
        };
    else {
        std::printf("usage: net_attack_bench guess|disconnect-all|memory [count]\n");
        return 2;
    }
    std::thread attacker([&] {
        attack();
        QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
    });
    app.exec();
    attacker.join();
    return 0;
}
