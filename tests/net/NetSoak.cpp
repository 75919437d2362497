// SPDX-License-Identifier: GPL-3.0-or-later
// Soak of the network server: many concurrent connections, from many local addresses, sending
// garbage, over-long lines, non-numeric commands and valid logins, relays and client actions;
// some never read, and connections keep closing and coming back. The server runs on the UI
// thread of this process; the clients run on a second thread with plain sockets.
//   net_soak [connections=500] [seconds=60]
// Exits non-zero when the server's memory grows past a bound or it stops answering.
#include "core/Clock.h"
#include "net/NetClients.h"
#include "net/NetServer.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <malloc.h>
#include <netinet/in.h>
#include <poll.h>
#include <random>
#include <sys/resource.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

long vmRssKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

void raiseFileLimit(int needed) {
    rlimit limit{};
    getrlimit(RLIMIT_NOFILE, &limit);
    if (limit.rlim_cur < rlim_t(needed)) {
        limit.rlim_cur = std::min<rlim_t>(limit.rlim_max, rlim_t(needed));
        setrlimit(RLIMIT_NOFILE, &limit);
    }
    getrlimit(RLIMIT_NOFILE, &limit);
    std::printf("open files: soft limit %llu\n", static_cast<unsigned long long>(limit.rlim_cur));
}

struct Totals {
    std::atomic<long> connects{0};
    std::atomic<long> linesSent{0};
    std::atomic<long> bytesReceived{0};
    std::atomic<long> closedByServer{0};
};

struct Client {
    int fd = -1;
    bool reads = true;
};

// The first connections wait for their handshake, so all of them are open at once before the
// load starts; later ones come back without waiting.
int openClient(quint16 port, int index, bool wait) {
    const int fd = socket(AF_INET, SOCK_STREAM | (wait ? 0 : SOCK_NONBLOCK), 0);
    sockaddr_in from{};
    from.sin_family = AF_INET;
    from.sin_addr.s_addr = htonl(0x7F000001u + quint32(index % 250));
    bind(fd, reinterpret_cast<sockaddr*>(&from), sizeof from);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to);
    if (wait)
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    return fd;
}

std::string randomLine(std::mt19937& random) {
    static const char* const valid[] = {
        "login\x01"
        "Client_1\x01"
        "pw1\n",
        "login\x01"
        "Client_2\x01"
        "pw2\n",
        "login\x01"
        "Client_1\x01"
        "wrong\r\n",
        "SendMessageTo\x01"
        "Client_2\x01"
        "hello\n",
        "ClientAction\x01"
        "1\x01"
        "2\x01"
        "x\x01"
        "a\x01"
        "b\x01"
        "c\n",
        "ExecCommand\x01"
        "2\n",
        "ExecCommand\x01"
        "nope\n",
        "\n",
    };
    const int kind = std::uniform_int_distribution<int>(0, 19)(random);
    if (kind < 8)
        return valid[kind];
    std::string garbage(std::uniform_int_distribution<int>(1, kind == 19 ? 70000 : 200)(random), 0);
    for (char& c : garbage)
        c = char(std::uniform_int_distribution<int>(0, 255)(random));
    return garbage;
}

void runClients(quint16 port, int count, int seconds, Totals& totals, std::atomic<bool>& done) {
    std::mt19937 random(12345);
    std::vector<Client> clients(count);
    auto reopen = [&](int i) {
        const bool first = clients[i].fd < 0;
        if (!first)
            close(clients[i].fd);
        clients[i].fd = openClient(port, i, first);
        // One in ten never reads what the server sends.
        clients[i].reads = i % 10 != 0;
        ++totals.connects;
    };
    for (int i = 0; i < count; ++i)
        reopen(i);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    std::vector<char> buffer(65536);
    while (std::chrono::steady_clock::now() < end) {
        for (int i = 0; i < count; ++i) {
            Client& c = clients[i];
            if (c.reads) {
                for (;;) {
                    const ssize_t got = recv(c.fd, buffer.data(), buffer.size(), 0);
                    if (got > 0) {
                        totals.bytesReceived += got;
                        continue;
                    }
                    if (got == 0 ||
                        (errno != EAGAIN && errno != EWOULDBLOCK && errno != ENOTCONN)) {
                        ++totals.closedByServer;
                        reopen(i);
                    }
                    break;
                }
            }
            // Every line goes out to every connection as a broadcast: one thread reading 500
            // connections keeps up with a few hundred lines a second.
            if (std::uniform_int_distribution<int>(0, 399)(random) == 0) {
                const std::string line = randomLine(random);
                if (send(clients[i].fd, line.data(), line.size(), MSG_NOSIGNAL) > 0)
                    ++totals.linesSent;
            }
            if (std::uniform_int_distribution<int>(0, 999)(random) == 0)
                reopen(i);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    for (Client& c : clients)
        close(c.fd);
    done = true;
}

class SteadyClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int connections = argc > 1 ? std::atoi(argv[1]) : 500;
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 60;
    raiseFileLimit(2 * connections + 64);

    NetClients clients(nullptr, nullptr);
    clients.add(QStringLiteral("Client_1"));
    clients.add(QStringLiteral("Client_2"));
    clients.select(0);
    clients.apply(QStringLiteral("pw1"), {true, true, false, false});
    clients.select(1);
    clients.apply(QStringLiteral("pw2"), {});
    SteadyClock clock;
    long beeps = 0;
    NetServer server(clients, clock, [&] { ++beeps; });
    if (!server.listen(0)) {
        std::printf("cannot listen: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    const long rssBefore = vmRssKb();
    long rssPeak = rssBefore;
    int peakConnections = 0;

    Totals totals;
    std::atomic<bool> done{false};
    std::thread load(runClients, server.port(), connections, seconds, std::ref(totals),
                     std::ref(done));
    QTimer sample;
    QObject::connect(&sample, &QTimer::timeout, [&] {
        rssPeak = std::max(rssPeak, vmRssKb());
        peakConnections = std::max(peakConnections, server.connectionCount());
        if (done)
            app.quit();
    });
    sample.start(100);
    app.exec();
    load.join();
    // Let the server see the last closes.
    QTimer::singleShot(1000, &app, &QCoreApplication::quit);
    app.exec();
    const int leftOpen = server.connectionCount();
    server.stop();
    const long rssStopped = vmRssKb();
    // The closed sockets go with the next turn of the event loop; what the allocator then keeps
    // is given back, so what remains is what the server still holds.
    QTimer::singleShot(200, &app, &QCoreApplication::quit);
    app.exec();
    malloc_trim(0);
    const long rssAfter = vmRssKb();

    std::printf("connections opened: %ld, peak at the server: %d, left open after the clients "
                "closed: %d\n",
                totals.connects.load(), peakConnections, leftOpen);
    std::printf("lines sent: %ld, bytes received: %ld, closes seen by clients: %ld, beeps: %ld\n",
                totals.linesSent.load(), totals.bytesReceived.load(), totals.closedByServer.load(),
                beeps);
    std::printf("VmRSS before %ld kB, peak %ld kB, at the stop %ld kB, after the sockets are freed "
                "%ld kB\n",
                rssBefore, rssPeak, rssStopped, rssAfter);
    // 1 MiB of unsent output and 64 KiB of line per connection at most, and the socket buffers.
    const long boundKb = rssBefore + connections * 1300L;
    if (rssPeak > boundKb || rssAfter > rssBefore + 64 * 1024) {
        std::printf("FAIL: memory grew past %ld kB\n", boundKb);
        return 1;
    }
    if (leftOpen != 0 || totals.bytesReceived == 0) {
        std::printf("FAIL: the server did not keep up\n");
        return 1;
    }
    std::printf("OK\n");
    return 0;
}
