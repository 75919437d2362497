// SPDX-License-Identifier: GPL-3.0-or-later
// Requests per second of the web access server with 50 clients at once, each request on a new
// connection, beside a minimal accept-read-write-close server on the same machine in the same run.
//
//   build/bench/web_server_bench                 the benchmarks
//   build/bench/web_server_bench --soak [N]      N requests (default 100000), then compares the
//                                                process's threads and resident memory with before
#include "web/server/HttpReply.h"
#include "web/server/ListeningSocket.h"
#include "web/server/WebAccessServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThread>

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int RequestsPerIteration = 1000;
constexpr char Request[] = "GET /manage HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
const qsizetype ReplySize = HttpEmptySuccessReply.size();

// Keeps `concurrency` connections going from one thread, from construction to destruction:
// connect, send the request, read until the server closes, connect again at once. The first
// burst of connects overflows a backlog of 15 and costs a SYN retransmission of a second, so
// callers warm up before they measure.
class ClientLoad {
public:
    ClientLoad(quint16 port, int concurrency)
        : m_port(port)
        , m_connections(static_cast<std::size_t>(concurrency))
        , m_polled(m_connections.size()) {
        for (std::size_t i = 0; i < m_connections.size(); ++i)
            open(m_connections[i], int(i));
    }
    ~ClientLoad() {
        for (Slot& slot : m_connections)
            ::close(slot.fd);
    }
    ClientLoad(const ClientLoad&) = delete;
    ClientLoad& operator=(const ClientLoad&) = delete;

    // Waits for the next `requests` exchanges to end; returns how many got the whole reply.
    int run(int requests) {
        int finished = 0;
        int served = 0;
        while (finished < requests) {
            for (std::size_t i = 0; i < m_connections.size(); ++i) {
                const Slot& slot = m_connections[i];
                m_polled[i] = {slot.fd, short(slot.sent ? POLLIN : POLLOUT), 0};
            }
            if (::poll(m_polled.data(), m_polled.size(), 5000) <= 0)
                break;
            for (std::size_t i = 0; i < m_connections.size() && finished < requests; ++i) {
                Slot& slot = m_connections[i];
                if (m_polled[i].revents == 0 || !step(slot))
                    continue;
                ++finished;
                served += slot.received == ReplySize ? 1 : 0;
                ::close(slot.fd);
                slot = Slot{};
                open(slot, int(i));
            }
        }
        return served;
    }

private:
    struct Slot {
        int fd = -1;
        bool sent = false;
        qsizetype received = 0;
    };

    // Spreads the connections over loopback addresses, so 100,000 of them do not run out of
    // address and port pairs while the server's closed ones wait in TIME_WAIT. Each slot is a
    // client address of its own, as phones would be: the server holds only a few connections
    // per address.
    void open(Slot& slot, int index) {
        slot.fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK + quint32(index % 50));
        // The port is then chosen at connect, for the whole address pair.
        const int on = 1;
        ::setsockopt(slot.fd, IPPROTO_IP, IP_BIND_ADDRESS_NO_PORT, &on, sizeof on);
        ::bind(slot.fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        address.sin_port = htons(m_port);
        ::connect(slot.fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    }

    // True when the exchange is over, well or badly.
    static bool step(Slot& slot) {
        if (!slot.sent) {
            if (::send(slot.fd, Request, sizeof Request - 1, MSG_NOSIGNAL) < 0)
                return errno != EAGAIN;
            slot.sent = true;
            return false;
        }
        char buffer[512];
        const ssize_t n = ::recv(slot.fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            slot.received += n;
            return false;
        }
        return n == 0 || errno != EAGAIN;
    }

    quint16 m_port;
    std::vector<Slot> m_connections;
    std::vector<pollfd> m_polled;
};

// The floor: one thread, blocking calls, no parsing, no limits.
class BaselineServer {
public:
    BaselineServer()
        : m_listening(openListeningSocket(0, WebServerLimits::ListenBacklog)) {
        m_thread = std::thread([this] { serve(); });
    }
    ~BaselineServer() {
        ::shutdown(m_listening.get(), SHUT_RDWR);
        m_thread.join();
    }
    quint16 port() const { return boundPort(m_listening.get()); }

private:
    void serve() {
        char buffer[4096];
        for (;;) {
            pollfd p{m_listening.get(), POLLIN, 0};
            ::poll(&p, 1, -1);
            const int fd = ::accept4(m_listening.get(), nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0) {
                if (errno == EAGAIN || errno == EINTR || errno == ECONNABORTED)
                    continue;
                return;
            }
            (void)::recv(fd, buffer, sizeof buffer, 0);
            (void)::send(fd, HttpEmptySuccessReply.data(), size_t(ReplySize), MSG_NOSIGNAL);
            ::close(fd);
        }
    }

    UniqueFd m_listening;
    std::thread m_thread;
};

void report(benchmark::State& state, int served, int asked) {
    state.SetItemsProcessed(state.iterations() * RequestsPerIteration);
    if (served != asked)
        state.SkipWithError("not every request got its reply");
}

// GETs from state.range(0) concurrent clients, each request on a new connection; a warm-up round
// first, so the backlog's overflow at the first burst is not measured.
void measureGets(benchmark::State& state, quint16 port) {
    ClientLoad load(port, int(state.range(0)));
    load.run(RequestsPerIteration);
    int served = 0;
    int asked = 0;
    for (auto _ : state) {
        served += load.run(RequestsPerIteration);
        asked += RequestsPerIteration;
    }
    report(state, served, asked);
}

void WebAccessServerGet(benchmark::State& state) {
    WebAccessServer server;
    if (!server.start(0).isEmpty()) {
        state.SkipWithError("cannot listen");
        return;
    }
    measureGets(state, server.port());
}
BENCHMARK(WebAccessServerGet)
    ->ArgName("clients")
    ->Arg(50)
    ->Arg(15)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BaselineServerGet(benchmark::State& state) {
    BaselineServer server;
    measureGets(state, server.port());
}
BENCHMARK(BaselineServerGet)
    ->ArgName("clients")
    ->Arg(50)
    ->Arg(15)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

int threadCount() {
    return int(QDir(QStringLiteral("/proc/self/task"))
                   .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                   .size());
}

long residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// Whether a long run leaves threads or memory behind. The first requests warm up what the
// process keeps anyway (allocator arenas, Qt's per-thread data), so "before" is taken after them.
int soak(int requests) {
    WebAccessServer server;
    std::atomic<int> open = 0;
    QObject::connect(
        &server, &WebAccessServer::openConnectionsChanged, &server, [&open](int n) { open = n; },
        Qt::DirectConnection);
    if (!server.start(0).isEmpty()) {
        std::fprintf(stderr, "cannot listen\n");
        return 1;
    }
    const auto settle = [&open] {
        for (int i = 0; i < 500 && open != 0; ++i)
            QThread::msleep(10);
    };
    std::optional<ClientLoad> load(std::in_place, server.port(), 50);
    load->run(2000);
    // Measured with every client connection closed: only the server's share is compared.
    load.reset();
    settle();
    const int threadsBefore = threadCount();
    const long rssBefore = residentKiB();
    const auto started = std::chrono::steady_clock::now();
    load.emplace(server.port(), 50);
    const int served = load->run(requests);
    load.reset();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    settle();
    const int threadsAfter = threadCount();
    const long rssAfter = residentKiB();
    std::printf("requests %d, served %d, %.0f per second\n", requests, served, served / seconds);
    std::printf("threads before %d, after %d\n", threadsBefore, threadsAfter);
    std::printf("VmRSS before %ld KiB, after %ld KiB\n", rssBefore, rssAfter);
    const bool kept = threadsAfter == threadsBefore && rssAfter - rssBefore < 1024;
    std::printf("%s\n", kept ? "nothing left behind" : "LEFT BEHIND");
    return served == requests && kept ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "--soak") == 0)
        return soak(argc >= 3 ? std::atoi(argv[2]) : 100'000);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
