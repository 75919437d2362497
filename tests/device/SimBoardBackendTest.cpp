// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/SimBoardBackend.h"

#include "BoardProcess.h"
#include "device/BoardReport.h"
#include "device/SimBoardWire.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using BoardReport::Bytes;

QStringList boardArguments(const QTemporaryDir& dir, const char* pid,
                           QStringList more = QStringList()) {
    return QStringList{QStringLiteral("--pid"), QString::fromLatin1(pid), QStringLiteral("--dir"),
                       dir.path()} +
           more;
}

bool boardsListed(SimBoardBackend& backend, int count) {
    return waitUntil([&] { return backend.enumerate().size() == count; });
}

// Reads until it holds one report of each kind; the host's view of the board afterwards.
std::optional<BoardReport::Inputs> readBothKinds(HidConnection& connection) {
    BoardReport::Inputs inputs;
    bool seen[2] = {false, false};
    for (int attempt = 0; attempt < 50 && !(seen[0] && seen[1]); ++attempt) {
        Bytes report{};
        const int n = connection.read(report.data() + 1, BoardReport::Size - 1, 1000);
        if (n != BoardReport::Size - 1)
            return std::nullopt;
        seen[report[1] & 0x01] = true;
        BoardReport::applyInputReport(report, inputs);
    }
    if (!(seen[0] && seen[1]))
        return std::nullopt;
    return inputs;
}

bool writeOutputs(HidConnection& connection, std::initializer_list<int> outputsOn) {
    BoardReport::Requests requests{};
    for (int output : outputsOn)
        requests[size_t(output)] = 1;
    const Bytes report = BoardReport::outputReport(requests);
    return connection.write(report.data(), int(report.size()));
}

TEST(SimBoardBackend, ListsEachRunningBoardWithItsIds) {
    QTemporaryDir dir;
    SimBoardBackend backend(dir.path());
    BoardProcess three(boardArguments(dir, "3"));
    BoardProcess ten(boardArguments(dir, "0xa", {QStringLiteral("--vid"), QStringLiteral("4660")}));
    ASSERT_TRUE(boardsListed(backend, 2)) << three.errors().toStdString();

    const QList<HidDeviceInfo> boards = backend.enumerate();
    EXPECT_EQ(boards[0].vendorId, 0x1234);
    EXPECT_EQ(boards[0].productId, 10);
    EXPECT_EQ(boards[1].vendorId, 0xABCC);
    EXPECT_EQ(boards[1].productId, 3);
    for (const HidDeviceInfo& board : boards) {
        EXPECT_EQ(board.inputReportLength, 9);
        EXPECT_EQ(board.outputReportLength, 9);
        EXPECT_TRUE(QFile::exists(QFile::decodeName(board.path)));
    }
}

TEST(SimBoardBackend, OutputReportsSwitchTheBoardsOutputs) {
    QTemporaryDir dir;
    SimBoardBackend backend(dir.path());
    BoardProcess board(boardArguments(dir, "1"));
    ASSERT_TRUE(boardsListed(backend, 1));
    QString whyNot;
    auto connection = backend.open(backend.enumerate()[0].path, &whyNot);
    ASSERT_TRUE(connection) << whyNot.toStdString();

    ASSERT_TRUE(writeOutputs(*connection, {0, 2, 5}));
    ASSERT_TRUE(board.waitForOutput(QStringLiteral("output 6 on\n")));
    ASSERT_TRUE(writeOutputs(*connection, {2, 7}));
    ASSERT_TRUE(board.waitForOutput(QStringLiteral("output 8 on\n")));
    EXPECT_EQ(board.output(), QStringLiteral("output 1 on\noutput 3 on\noutput 6 on\n"
                                             "output 1 off\noutput 6 off\noutput 8 on\n"));
}

TEST(SimBoardBackend, InputReportsOfBothKindsCarryTheCommandedInputs) {
    QTemporaryDir dir;
    QFile script(dir.filePath(QStringLiteral("start.txt")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("# set before the console\nad 2 99\nin 5 on\n");
    script.close();
    SimBoardBackend backend(dir.path());
    BoardProcess board(boardArguments(dir, "2", {QStringLiteral("--script"), script.fileName()}));
    for (const char* command :
         {"in 1 on", "in 8 on", "in 9 on", "in10 on", "ad 1 17", "ad 7 200", "freq 1000", "bogus"})
        board.send(QString::fromLatin1(command));
    ASSERT_TRUE(board.sync());
    ASSERT_TRUE(boardsListed(backend, 1));

    QString whyNot;
    auto connection = backend.open(backend.enumerate()[0].path, &whyNot);
    ASSERT_TRUE(connection) << whyNot.toStdString();
    const std::optional<BoardReport::Inputs> inputs = readBothKinds(*connection);
    ASSERT_TRUE(inputs);
    const std::array<bool, 9> digital = {true, false, false, false, true, false, false, true, true};
    EXPECT_EQ(inputs->DInputs, digital);
    const std::array<quint8, 7> analog = {17, 99, 0, 0, 0, 0, 200};
    EXPECT_EQ(inputs->AInputs, analog);
    EXPECT_TRUE(inputs->Input10);
    EXPECT_DOUBLE_EQ(inputs->Frequency, 1000 / BoardReport::FrequencyDivisor);
    EXPECT_TRUE(waitUntil([&] { return board.errors().contains(u"unknown command \"bogus\""); }));
}

TEST(SimBoardBackend, APressEndsByItself) {
    QTemporaryDir dir;
    SimBoardBackend backend(dir.path());
    BoardProcess board(boardArguments(dir, "4"));
    board.send(QStringLiteral("press 3 150"));
    ASSERT_TRUE(board.sync());
    EXPECT_TRUE(board.output().contains(QStringLiteral("inputs 1-9: 001000000")));
    EXPECT_TRUE(waitUntil([&] {
        board.sync();
        return board.output().endsWith(QStringLiteral("\n")) &&
               board.output()
                   .section(QStringLiteral("reports received:"), -1)
                   .contains(QStringLiteral("inputs 1-9: 000000000"));
    }));
}

TEST(SimBoardBackend, ASilentBoardLetsTheReadTimeOut) {
    QTemporaryDir dir;
    SimBoardBackend backend(dir.path());
    BoardProcess board(boardArguments(dir, "5"));
    board.send(QStringLiteral("silent on"));
    ASSERT_TRUE(board.sync());
    ASSERT_TRUE(boardsListed(backend, 1));
    auto connection = backend.open(backend.enumerate()[0].path, nullptr);
    ASSERT_TRUE(connection);
    quint8 data[8] = {};
    EXPECT_EQ(connection->read(data, sizeof data, 300), 0);
    EXPECT_EQ(connection->read(data, sizeof data, 0), 0);

    board.send(QStringLiteral("silent off"));
    ASSERT_TRUE(board.sync());
    EXPECT_EQ(connection->read(data, sizeof data, 5000), 8);
}

// Gloamery opens the board for each exchange and closes it after: its status must count the
// program as a host all the same.
TEST(SimBoardBackend, TheStatusCountsHostsThatConnectForEachExchange) {
    struct Case {
        int exchanges;    // each: connect, one output report, one input report, close
        bool keepOneOpen; // and then a connection left open
        const char* hosts;
    };
    const Case cases[] = {{0, false, "0 host(s) seen, 0 connected now"},
                          {3, false, "1 host(s) seen, 0 connected now, last report"},
                          {1, true, "1 host(s) seen, 1 connected now, last report"}};
    for (const Case& c : cases) {
        QTemporaryDir dir;
        SimBoardBackend backend(dir.path());
        BoardProcess board(boardArguments(dir, "2"));
        ASSERT_TRUE(boardsListed(backend, 1));
        const QByteArray path = backend.enumerate()[0].path;
        for (int i = 0; i < c.exchanges; ++i) {
            auto connection = backend.open(path, nullptr);
            quint8 data[8] = {};
            ASSERT_TRUE(connection && writeOutputs(*connection, {}));
            ASSERT_EQ(connection->read(data, sizeof data, 5000), 8);
        }
        auto staying = c.keepOneOpen ? backend.open(path, nullptr) : nullptr;
        // The board hears of a closed connection in its own time: ask until it has.
        EXPECT_TRUE(waitUntil([&] {
            board.sync();
            return board.output()
                .section(QStringLiteral("reports received:"), -1)
                .contains(QString::fromLatin1(c.hosts));
        })) << c.hosts
            << " in " << board.output().toStdString();
    }
}

TEST(SimBoardBackend, UnplugAndPlugAreHotPlugEvents) {
    QTemporaryDir dir;
    SimBoardBackend backend(dir.path());
    QSignalSpy changes(&backend, &HidBackend::devicesChanged);
    BoardProcess board(boardArguments(dir, "6"));
    ASSERT_TRUE(waitUntil([&] { return changes.count() >= 1; }));
    ASSERT_EQ(backend.enumerate().size(), 1);
    const QByteArray path = backend.enumerate()[0].path;
    auto before = backend.open(path, nullptr);
    ASSERT_TRUE(before);

    changes.clear();
    board.send(QStringLiteral("unplug"));
    ASSERT_TRUE(waitUntil([&] { return changes.count() >= 1; }));
    EXPECT_TRUE(backend.enumerate().isEmpty());
    QString whyNot;
    EXPECT_FALSE(backend.open(path, &whyNot));
    EXPECT_TRUE(whyNot.contains(u"gone")) << whyNot.toStdString();
    quint8 data[8] = {};
    // A handle open across the unplug reads what had arrived, then an error, never a timeout.
    int result = 8;
    for (int report = 0; report < 1000 && result == 8; ++report)
        result = before->read(data, sizeof data, 5000);
    EXPECT_EQ(result, -1);
    EXPECT_FALSE(writeOutputs(*before, {0}));

    changes.clear();
    board.send(QStringLiteral("plug"));
    ASSERT_TRUE(waitUntil([&] { return changes.count() >= 1; }));
    ASSERT_EQ(backend.enumerate().size(), 1);
    auto after = backend.open(backend.enumerate()[0].path, &whyNot);
    ASSERT_TRUE(after) << whyNot.toStdString();
    EXPECT_EQ(after->read(data, sizeof data, 5000), 8);
}

TEST(SimBoardBackend, TwoBoardsWithOneProductIdAreBothReachable) {
    QTemporaryDir dir;
    SimBoardBackend backend(dir.path());
    BoardProcess first(boardArguments(dir, "7"));
    ASSERT_TRUE(boardsListed(backend, 1));
    BoardProcess second(boardArguments(dir, "7"));
    ASSERT_TRUE(boardsListed(backend, 2));
    const QList<HidDeviceInfo> boards = backend.enumerate();
    ASSERT_NE(boards[0].path, boards[1].path);

    // The first started holds slot 1, so it comes first.
    auto connection = backend.open(boards[1].path, nullptr);
    ASSERT_TRUE(connection);
    ASSERT_TRUE(writeOutputs(*connection, {1}));
    ASSERT_TRUE(second.waitForOutput(QStringLiteral("output 2 on\n")));
    connection = backend.open(boards[0].path, nullptr);
    ASSERT_TRUE(connection);
    ASSERT_TRUE(writeOutputs(*connection, {3}));
    ASSERT_TRUE(first.waitForOutput(QStringLiteral("output 4 on\n")));
    EXPECT_FALSE(first.output().contains(u"output 2"));
    EXPECT_FALSE(second.output().contains(u"output 4"));
}

TEST(SimBoardBackend, TheEndOfStandardInputLeavesTheBoardRunning) {
    QTemporaryDir dir;
    SimBoardBackend backend(dir.path());
    BoardProcess board(boardArguments(dir, "8"));
    board.send(QStringLiteral("ad 3 33"));
    board.process().closeWriteChannel();
    ASSERT_TRUE(waitUntil([&] { return board.errors().contains(u"end of standard input"); }));
    ASSERT_TRUE(boardsListed(backend, 1));
    auto connection = backend.open(backend.enumerate()[0].path, nullptr);
    ASSERT_TRUE(connection);
    const std::optional<BoardReport::Inputs> inputs = readBothKinds(*connection);
    ASSERT_TRUE(inputs);
    EXPECT_EQ(inputs->AInputs[2], 33);
    EXPECT_EQ(board.process().state(), QProcess::Running);
}

TEST(SimBoardBackend, TerminationRemovesTheSocketFile) {
    QTemporaryDir dir;
    SimBoardBackend backend(dir.path());
    BoardProcess board(boardArguments(dir, "9"));
    ASSERT_TRUE(boardsListed(backend, 1));
    board.process().terminate();
    ASSERT_TRUE(board.process().waitForFinished(5000));
    EXPECT_EQ(board.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(board.process().exitCode(), 0);
    EXPECT_TRUE(backend.enumerate().isEmpty());
}

TEST(SimBoardBackend, AKilledBoardLeavesAFileThatOpenRefusesAndANewBoardReplaces) {
    QTemporaryDir dir;
    SimBoardBackend backend(dir.path());
    QByteArray path;
    {
        BoardProcess board(boardArguments(dir, "10"));
        ASSERT_TRUE(boardsListed(backend, 1));
        path = backend.enumerate()[0].path;
        board.process().kill();
        ASSERT_TRUE(board.process().waitForFinished(5000));
    }
    ASSERT_TRUE(QFile::exists(QFile::decodeName(path)));
    QString whyNot;
    EXPECT_FALSE(backend.open(path, &whyNot));
    EXPECT_TRUE(whyNot.contains(u"left from a board that ended")) << whyNot.toStdString();

    BoardProcess again(boardArguments(dir, "10"));
    ASSERT_TRUE(again.sync());
    ASSERT_EQ(backend.enumerate().size(), 1);
    EXPECT_EQ(backend.enumerate()[0].path, path) << "the stale slot is taken over";
    EXPECT_TRUE(backend.open(path, &whyNot)) << whyNot.toStdString();
}

TEST(SimBoardBackend, ABoardDropsAHostThatSendsGarbageAndServesTheNext) {
    QTemporaryDir dir;
    SimBoardBackend backend(dir.path());
    BoardProcess board(boardArguments(dir, "1"));
    ASSERT_TRUE(boardsListed(backend, 1));
    const QByteArray path = backend.enumerate()[0].path;

    auto garbage = backend.open(path, nullptr);
    ASSERT_TRUE(garbage);
    const quint8 huge[] = {0, 0xFF, 0xFF, 0xFF};
    // Framed it is a 4-byte report; raw, the board would read 0 as a length. Send it raw.
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    ASSERT_EQ(::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::send(socket, huge, sizeof huge, MSG_NOSIGNAL), ssize_t(sizeof huge));
    ASSERT_TRUE(waitUntil([&] { return board.errors().contains(u"broken stream"); }));
    ::close(socket);

    auto good = backend.open(path, nullptr);
    ASSERT_TRUE(good);
    ASSERT_TRUE(writeOutputs(*good, {4}));
    EXPECT_TRUE(board.waitForOutput(QStringLiteral("output 5 on\n")));
}

// A fake board in the test, sending whatever a broken or hostile board might.
class FakeBoardSocket {
public:
    explicit FakeBoardSocket(const QString& path) {
        m_listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray encoded = QFile::encodeName(path);
        std::memcpy(address.sun_path, encoded.constData(), size_t(encoded.size()));
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(m_listener, 4);
    }
    ~FakeBoardSocket() {
        if (m_host >= 0)
            ::close(m_host);
        ::close(m_listener);
    }
    void sendToHost(const QByteArray& bytes) {
        if (m_host < 0)
            m_host = ::accept(m_listener, nullptr, nullptr);
        ::send(m_host, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL);
    }
    void hangUp() {
        ::close(m_host);
        m_host = -2;
    }

private:
    int m_listener = -1;
    int m_host = -1;
};

TEST(SimBoardBackend, ABrokenBoardStreamIsAnErrorNeverACrash) {
    struct Case {
        const char* what;
        QByteArray stream;
        bool hangUp;
        int result;
        QByteArray data; // what read delivers when result > 0
    };
    const Case cases[] = {
        {"a report", QByteArray::fromHex("09000102030405060708"), false, 8,
         QByteArray::fromHex("0102030405060708")},
        {"a report longer than the buffer", QByteArray::fromHex("0b000102030405060708090a"), false,
         8, QByteArray::fromHex("0102030405060708")},
        {"a bare report id, then silence", QByteArray::fromHex("0100"), false, 0, {}},
        {"a zero length", QByteArray::fromHex("00"), false, -1, {}},
        {"a huge length", QByteArray::fromHex("ff00010203"), false, -1, {}},
        {"half a report, then a hang-up", QByteArray::fromHex("0900010203"), true, -1, {}},
        {"nothing, then a hang-up", {}, true, -1, {}},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        SimBoardBackend backend(dir.path());
        FakeBoardSocket fake(dir.filePath(SimBoardWire::socketFileName({0xABCC, 1, 1})));
        ASSERT_EQ(backend.enumerate().size(), 1) << c.what;
        auto connection = backend.open(backend.enumerate()[0].path, nullptr);
        ASSERT_TRUE(connection) << c.what;
        fake.sendToHost(c.stream);
        if (c.hangUp)
            fake.hangUp();
        quint8 data[8] = {};
        EXPECT_EQ(connection->read(data, sizeof data, 300), c.result) << c.what;
        if (c.result > 0) {
            EXPECT_EQ(QByteArray(reinterpret_cast<char*>(data), c.result), c.data) << c.what;
        }
        if (c.result < 0) {
            EXPECT_EQ(connection->read(data, sizeof data, 0), -1) << c.what << ": stays broken";
        }
    }
}

TEST(SimBoardBackend, OnlySocketsNamedLikeBoardsAreListed) {
    QTemporaryDir dir;
    SimBoardBackend backend(dir.path());
    QFile plain(dir.filePath(SimBoardWire::socketFileName({0xABCC, 2, 1})));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    FakeBoardSocket otherName(dir.filePath(QStringLiteral("board-abcc-0002.sock")));
    FakeBoardSocket board(dir.filePath(SimBoardWire::socketFileName({0xABCC, 3, 2})));
    const QList<HidDeviceInfo> boards = backend.enumerate();
    ASSERT_EQ(boards.size(), 1);
    EXPECT_EQ(boards[0].productId, 3);
}

} // namespace
