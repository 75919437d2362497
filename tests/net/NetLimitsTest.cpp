// SPDX-License-Identifier: GPL-3.0-or-later
// What strangers on the network can make the server do: guess logins, flood it with lines, open
// connections and leave its messages unread. Real sockets, from 127.0.0.x.
#include "WireClient.h"
#include "net/NetClients.h"
#include "net/NetServer.h"
#include "net/NetWire.h"
#include "support/FixedClock.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

namespace {

const QByteArray UV = NetWire::userVariables();
const QByteArray Wrong = "login\x01"
                         "Anna\x01wrong\n";
const QByteArray Right = "login\x01"
                         "Anna\x01pa\n";
const QByteArray Deny = "AcsessDeny\n";

// The server's warnings, for as long as it lives.
class CapturedWarnings {
public:
    CapturedWarnings() {
        s_lines.clear();
        s_previous = qInstallMessageHandler(&CapturedWarnings::handle);
    }
    ~CapturedWarnings() { qInstallMessageHandler(s_previous); }
    int count(const char* containing) const {
        return int(std::count_if(s_lines.begin(), s_lines.end(),
                                 [&](const QString& line) { return line.contains(containing); }));
    }
    QString last() const { return s_lines.isEmpty() ? QString() : s_lines.last(); }

private:
    static void handle(QtMsgType, const QMessageLogContext&, const QString& text) {
        s_lines.append(text);
    }
    static inline QtMessageHandler s_previous = nullptr;
    static inline QStringList s_lines;
};

class NetLimitsTest {
protected:
    void start(const NetLimits& limits) {
        clients.add("Anna");
        clients.add("Bob");
        clients.select(0);
        clients.apply("pa", {});
        clients.select(1);
        clients.apply("pb", {});
        server = std::make_unique<NetServer>(
            clients, clock, [] {}, limits);
        ASSERT_TRUE(server->listen(0));
    }
    std::unique_ptr<WireClient> connectFrom(const char* address) {
        return std::make_unique<WireClient>(server->port(), address);
    }

    CapturedWarnings warnings;
    FixedClock clock;
    NetClients clients{nullptr, nullptr};
    std::unique_ptr<NetServer> server;
};

// One step of a login conversation: the clock moves, a client sends, and it gets its answer
// (or nothing yet, or the end of its connection).
struct LoginStep {
    int client;
    qint64 advanceMs;
    QByteArray sent;
    QByteArray answer;
    bool closed = false;
};

struct LoginCase {
    const char* name;
    std::vector<const char*> addresses;
    int failureBurst;
    std::vector<LoginStep> steps;
};

void PrintTo(const LoginCase& row, std::ostream* out) {
    *out << row.name;
}

const QByteArray Welcome = "BeginLogged\nEndLogged\nBeginPrivileges\nPrivilege\x01"
                           "1\x01"
                           "0\nPrivilege\x01"
                           "2\x01"
                           "0\nPrivilege\x01"
                           "3\x01"
                           "0\nPrivilege\x01"
                           "4\x01"
                           "0\nEndPrivileges\nLoggedAs\x01"
                           "Anna\n" +
                           UV;

class LoginLimits : public NetLimitsTest, public ::testing::TestWithParam<LoginCase> {};

TEST_P(LoginLimits, WrongLoginsWaitAndEndTheConnection) {
    const LoginCase& row = GetParam();
    NetLimits limits;
    limits.failureBurst = row.failureBurst;
    start(limits);
    std::vector<std::unique_ptr<WireClient>> peers;
    for (const char* address : row.addresses)
        peers.push_back(connectFrom(address));
    for (std::size_t i = 0; i < row.steps.size(); ++i) {
        const LoginStep& step = row.steps[i];
        WireClient& peer = *peers[std::size_t(step.client)];
        clock.advance(step.advanceMs);
        // What the earlier steps broadcast is not this step's answer.
        peer.pending();
        peer.send(step.sent);
        if (step.answer.isEmpty()) {
            QTest::qWait(3 * NetServer::HoldRecheckMs);
            EXPECT_EQ(peer.pending(), "") << row.name << ", step " << i;
        } else {
            EXPECT_EQ(peer.takeLines(int(step.answer.count('\n'))), step.answer)
                << row.name << ", step " << i;
        }
        if (step.closed) {
            EXPECT_TRUE(peer.waitClosed()) << row.name << ", step " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, LoginLimits,
    ::testing::Values(LoginCase{"each failure doubles the wait, the third ends the connection",
                                {"127.0.0.1", "127.0.0.1"},
                                20,
                                {{0, 0, Wrong, Deny + UV},
                                 // Held, and the line after it with it: nothing out of order.
                                 {0, 0, Wrong + "ping\n", ""},
                                 {0, 499, "", ""},
                                 {0, 1, "", Deny + UV},
                                 {0, 1000, Wrong, Deny, true},
                                 {1, 0, Right, ""},
                                 {1, 1999, "", ""},
                                 {1, 1, "", Welcome}}},
                      LoginCase{"another address is not held",
                                {"127.0.0.1", "127.0.0.2"},
                                20,
                                {{0, 0, Wrong, Deny + UV},
                                 {0, 0, Wrong, ""},
                                 {1, 0, Wrong, Deny + UV},
                                 {0, 500, "", Deny + UV}}},
                      LoginCase{"all addresses share one budget",
                                {"127.0.0.1", "127.0.0.2", "127.0.0.3"},
                                2,
                                {{0, 0, Wrong, Deny + UV},
                                 {1, 0, Wrong, Deny + UV},
                                 {2, 0, Right, ""},
                                 {2, 999, "", ""},
                                 {2, 1, "", Welcome}}}));

// Connections past the caps are closed at once, with one warning however many there are.
struct ConnectionCase {
    const char* name;
    std::vector<const char*> addresses;
    std::vector<bool> kept;
};

void PrintTo(const ConnectionCase& row, std::ostream* out) {
    *out << row.name;
}

class ConnectionCaps : public NetLimitsTest, public ::testing::TestWithParam<ConnectionCase> {};

TEST_P(ConnectionCaps, RefuseWhatIsOverTheLimit) {
    const ConnectionCase& row = GetParam();
    NetLimits limits;
    limits.maxConnections = 4;
    limits.maxConnectionsPerAddress = 2;
    start(limits);
    std::vector<std::unique_ptr<WireClient>> peers;
    for (const char* address : row.addresses) {
        peers.push_back(connectFrom(address));
        // Each one decided before the next knocks.
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return server->connectionCount() ==
                   std::count(row.kept.begin(), row.kept.begin() + qsizetype(peers.size()), true);
        }));
    }
    for (std::size_t i = 0; i < peers.size(); ++i) {
        if (row.kept[i]) {
            EXPECT_TRUE(peers[i]->isConnected()) << row.name << ", peer " << i;
        } else {
            EXPECT_TRUE(peers[i]->waitClosed()) << row.name << ", peer " << i;
        }
    }
    EXPECT_EQ(warnings.count("refused a connection"), 1) << row.name;
}

INSTANTIATE_TEST_SUITE_P(Table, ConnectionCaps,
                         ::testing::Values(ConnectionCase{"per address",
                                                          {"127.0.0.1", "127.0.0.1", "127.0.0.1",
                                                           "127.0.0.2", "127.0.0.1"},
                                                          {true, true, false, true, false}},
                                           ConnectionCase{"in total",
                                                          {"127.0.0.1", "127.0.0.2", "127.0.0.3",
                                                           "127.0.0.4", "127.0.0.5", "127.0.0.6"},
                                                          {true, true, true, true, false, false}}));

// A peer that reads nothing is cut off when its own queue, or all queues together, grow too
// long; the reader beside it keeps its connection and its answers.
struct QueueCase {
    const char* name;
    qint64 maxUnsentBytes;
    qint64 maxTotalUnsentBytes;
};

void PrintTo(const QueueCase& row, std::ostream* out) {
    *out << row.name;
}

class UnsentCaps : public NetLimitsTest, public ::testing::TestWithParam<QueueCase> {};

TEST_P(UnsentCaps, CutOffThePeerThatNeverReads) {
    NetLimits limits;
    limits.maxUnsentBytes = GetParam().maxUnsentBytes;
    limits.maxTotalUnsentBytes = GetParam().maxTotalUnsentBytes;
    start(limits);
    auto reader = connectFrom("127.0.0.1");
    reader->send(Right);
    ASSERT_EQ(reader->takeLines(10), Welcome);
    auto deaf = connectFrom("127.0.0.2");
    // Read nothing from the kernel, and let the kernel hold little.
    deaf->socket().setReadBufferSize(1);
    deaf->socket().setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
    deaf->send("login\x01"
               "Bob\x01pb\n");
    ASSERT_EQ(reader->takeLines(4), "BeginLogged\nLogged\x01"
                                    "Bob\nEndLogged\n" +
                                        UV);
    // Each line queues 60 KB for the peer that does not read.
    const QByteArray line = "SendMessageTo\x01"
                            "Bob\x01" +
                            QByteArray(60000, 'm') + "\n";
    int sent = 0;
    while (server->connectionCount() == 2 && sent < 2000) {
        reader->send(line);
        ++sent;
        ASSERT_EQ(reader->takeLines(1), UV);
    }
    EXPECT_EQ(server->connectionCount(), 1);
    // Cut off at its cap, not at a larger one: what the kernels' buffers take aside.
    constexpr qint64 KernelBuffers = 8 * 1024 * 1024;
    const qint64 cap = std::min(limits.maxUnsentBytes, limits.maxTotalUnsentBytes);
    EXPECT_LT(sent, (cap + KernelBuffers) / 60000);
    reader->send("ping\n");
    EXPECT_EQ(reader->takeLines(3), "BeginLogged\nEndLogged\n" + UV);
}

INSTANTIATE_TEST_SUITE_P(Table, UnsentCaps,
                         ::testing::Values(QueueCase{"its own queue", 1024 * 1024,
                                                     NetLimits().maxTotalUnsentBytes},
                                           QueueCase{"all queues", 64 * 1024 * 1024, 512 * 1024}));

// 2 KB of lines from a stranger: every connection gets one broadcast per turn of at most 32
// lines, not one per line, and nobody is cut off.
class LineFloods : public NetLimitsTest, public ::testing::TestWithParam<const char*> {};

TEST_P(LineFloods, CutNobodyOff) {
    start({});
    std::vector<std::unique_ptr<WireClient>> readers;
    for (int i = 0; i < 10; ++i)
        readers.push_back(connectFrom("127.0.0.2"));
    auto stranger = connectFrom("127.0.0.3");
    ASSERT_TRUE(QTest::qWaitFor([&] { return server->connectionCount() == 11; }));
    const QByteArray flood = QByteArray(GetParam()).repeated(2048 / qsizetype(strlen(GetParam())));
    // The login after the flood marks its end, for the stranger and, by its list, for the rest.
    stranger->send(flood + Right);
    const QByteArray list = "BeginLogged\nLogged\x01"
                            "Anna\nEndLogged\n";
    for (auto& reader : readers) {
        QByteArray got;
        ASSERT_TRUE(QTest::qWaitFor([&] {
            got += reader->pending();
            return got.endsWith(list + UV);
        }));
        const qsizetype broadcasts = got.count(UV);
        EXPECT_GE(broadcasts, flood.count('\n') / NetLimits().linesPerTurn);
        EXPECT_LE(broadcasts, 2 * flood.count('\n') / NetLimits().linesPerTurn + 2);
        EXPECT_TRUE(reader->isConnected());
    }
    EXPECT_EQ(server->connectionCount(), 11);
}

INSTANTIATE_TEST_SUITE_P(Table, LineFloods, ::testing::Values("\n", "nonsense\n"));

// Non-numeric commands: one warning per client a second, the next one telling how many were
// held back; the clock decides, to the millisecond.
struct WarningStep {
    const char* client;
    qint64 advanceMs;
    int lines;
    int warnings;
    const char* lastNote;
};

class CommandWarnings : public NetLimitsTest, public ::testing::Test {};

TEST_F(CommandWarnings, ArePacedPerClient) {
    start({});
    auto anna = connectFrom("127.0.0.1");
    auto bob = connectFrom("127.0.0.2");
    anna->send(Right);
    bob->send("login\x01"
              "Bob\x01pb\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return server->loggedClients().size() == 2; }));
    const std::vector<WarningStep> steps = {
        {"Anna", 0, 5000, 1, "'oops' is not a valid integer value"},
        {"Anna", 999, 1, 1, ""},
        {"Bob", 0, 3, 2, "'oops' is not a valid integer value"},
        {"Anna", 1, 7, 3, "(5000 more like it not shown)"},
        {"Anna", 1000, 1, 4, "(6 more like it not shown)"},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const WarningStep& step = steps[i];
        WireClient& peer = QByteArray(step.client) == "Anna" ? *anna : *bob;
        clock.advance(step.advanceMs);
        peer.pending();
        // The ping's broadcast comes once every line before it was handled.
        peer.send(QByteArray("ExecCommand\x01oops\n").repeated(step.lines) + "ping\n");
        QByteArray got;
        ASSERT_TRUE(QTest::qWaitFor([&] {
            got += peer.pending();
            return got.endsWith(UV);
        })) << "step "
            << i;
        EXPECT_EQ(warnings.count("ExecCommand"), step.warnings) << "step " << i;
        EXPECT_TRUE(warnings.last().endsWith(step.lastNote)) << "step " << i;
    }
}

} // namespace
