// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetServer.h"

#include "WireClient.h"
#include "core/SettingsStore.h"
#include "net/NetClients.h"
#include "net/NetWire.h"
#include "support/FixedClock.h"
#include "support/RecordingMessageBoxes.h"
#include "support/TempStore.h"

#include <QTcpServer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QByteArray UV = NetWire::userVariables();
const QByteArray EmptyList = "BeginLogged\nEndLogged\n";

QByteArray listOf(const QByteArray& name) {
    return "BeginLogged\nLogged\x01" + name + "\nEndLogged\n";
}

QByteArray loginLine(const QByteArray& name, const QByteArray& password) {
    return "login\x01" + name + "\x01" + password + "\n";
}

class NetServerTest : public ::testing::Test {
protected:
    NetServerTest()
        : clients(&temp.store(), &boxes)
        , server(clients, clock, [this] { ++beeps; }) {
        clients.load();
        clients.removeAt(2);
        clients.removeAt(1);
        clients.removeAt(0);
        addClient("Anna", "pa", {false, true, false, false});
        addClient("Bob", "pb");
        EXPECT_TRUE(server.listen(0));
    }

    void addClient(const QString& name, const QString& password, std::array<bool, 4> rights = {}) {
        clients.add(name);
        clients.select(clients.count() - 1);
        clients.apply(password, rights);
    }
    std::unique_ptr<WireClient> connectFrom(const char* address) {
        auto client = std::make_unique<WireClient>(server.port(), address);
        const int expected = server.connectionCount() + 1;
        EXPECT_TRUE(QTest::qWaitFor([&] { return server.connectionCount() == expected; }));
        return client;
    }
    // Logs in and takes what the login brought: the list, six lines of rights, LoggedAs and
    // the broadcast.
    std::unique_ptr<WireClient> loggedIn(const char* address, const QByteArray& name,
                                         const QByteArray& password) {
        auto client = connectFrom(address);
        client->send(loginLine(name, password));
        const QByteArray got = client->takeLines(10 + server.loggedClients().size());
        EXPECT_TRUE(got.contains("LoggedAs\x01" + name + "\n")) << got.toStdString();
        return client;
    }

    TempStore temp;
    RecordingMessageBoxes boxes;
    FixedClock clock;
    int beeps = 0;
    NetClients clients;
    NetServer server;
};

TEST_F(NetServerTest, TheLoginExchangeByteForByte) {
    auto anna = connectFrom("127.0.0.1");
    auto other = connectFrom("127.0.0.2");
    anna->send(loginLine("Anna", "pa"));
    EXPECT_EQ(anna->takeLines(10), EmptyList +
                                       "BeginPrivileges\n"
                                       "Privilege\x01"
                                       "1\x01"
                                       "0\n"
                                       "Privilege\x01"
                                       "2\x01"
                                       "1\n"
                                       "Privilege\x01"
                                       "3\x01"
                                       "0\n"
                                       "Privilege\x01"
                                       "4\x01"
                                       "0\n"
                                       "EndPrivileges\n"
                                       "LoggedAs\x01"
                                       "Anna\n" +
                                       UV);
    EXPECT_EQ(other->takeLines(4), listOf("Anna") + UV);
    EXPECT_EQ(server.loggedClients(), QStringList({"Anna"}));
}

TEST_F(NetServerTest, ALoginEndedByCrLfIsRefused) {
    auto anna = connectFrom("127.0.0.1");
    anna->send("login\x01"
               "Anna\x01pa\r\n");
    EXPECT_EQ(anna->takeLines(2), "AcsessDeny\n" + UV);
    EXPECT_TRUE(server.loggedClients().isEmpty());
}

TEST_F(NetServerTest, OneLoginPerAddressButAnAccountFromSeveralAddresses) {
    auto first = loggedIn("127.0.0.1", "Anna", "pa");
    auto sameAddress = connectFrom("127.0.0.1");
    sameAddress->send(loginLine("Bob", "pb"));
    EXPECT_EQ(sameAddress->takeLines(2), "AlreadyConnected\n" + UV);
    first->pending();
    auto elsewhere = connectFrom("127.0.0.2");
    elsewhere->send(loginLine("Anna", "pa"));
    EXPECT_TRUE(elsewhere->takeLines(10).contains("LoggedAs\x01"
                                                  "Anna\n"));
    EXPECT_EQ(server.loggedClients(), QStringList({"Anna"}));
}

TEST_F(NetServerTest, ListsRelayAndChunks) {
    auto anna = loggedIn("127.0.0.1", "Anna", "pa");
    auto bob = loggedIn("127.0.0.2", "Bob", "pb");
    auto idle = connectFrom("127.0.0.3");
    anna->pending();
    server.RefreshLoggedClients();
    EXPECT_EQ(anna->takeLines(3), listOf("Bob"));
    EXPECT_EQ(bob->takeLines(3), listOf("Anna"));
    EXPECT_EQ(idle->takeLines(4), "BeginLogged\nLogged\x01"
                                  "Anna\nLogged\x01"
                                  "Bob\nEndLogged\n");

    // Two lines in one chunk: each handled, in order, and one broadcast for both.
    anna->send("SendMessageTo\x01"
               "Bob\x01one\nSendMessageTo\x01"
               "Bob\x01two\n");
    EXPECT_EQ(bob->takeLines(3), "ShowMessageFrom\x01"
                                 "Anna\x01one\n"
                                 "ShowMessageFrom\x01"
                                 "Anna\x01two\n" +
                                     UV);
    EXPECT_EQ(anna->takeLines(1), UV);
    EXPECT_EQ(idle->takeLines(1), UV);

    // One line in two chunks: handled once, when its line feed arrives.
    bob->send("SendMessageTo\x01"
              "An");
    QTest::qWait(200);
    EXPECT_EQ(anna->pending(), "");
    bob->send("na\x01"
              "back\n");
    EXPECT_EQ(anna->takeLines(2), "ShowMessageFrom\x01"
                                  "Bob\x01"
                                  "back\n" +
                                      UV);
    EXPECT_EQ(bob->takeLines(1), UV);
}

TEST_F(NetServerTest, AClientLeavingBeepsAndRefreshesButStoppingIsSilent) {
    auto anna = loggedIn("127.0.0.1", "Anna", "pa");
    auto bob = loggedIn("127.0.0.2", "Bob", "pb");
    auto idle = connectFrom("127.0.0.3");
    anna->pending();
    bob->socket().disconnectFromHost();
    EXPECT_EQ(anna->takeLines(2), EmptyList);
    EXPECT_EQ(idle->takeLines(3), listOf("Anna"));
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(server.connectionCount(), 2);

    clock.setTime(QTime(13, 0)); // a beep now would not be held back
    server.stop();
    EXPECT_TRUE(anna->waitClosed());
    EXPECT_TRUE(idle->waitClosed());
    EXPECT_EQ(anna->pending(), "");
    EXPECT_EQ(idle->pending(), "");
    EXPECT_EQ(beeps, 1);
    EXPECT_FALSE(server.isListening());
    EXPECT_TRUE(server.loggedClients().isEmpty());
    EXPECT_EQ(server.connectionCount(), 0);
}

TEST_F(NetServerTest, DeletingALoggedInClientClosesItsConnectionFirst) {
    auto anna = loggedIn("127.0.0.1", "Anna", "pa");
    auto bob = loggedIn("127.0.0.2", "Bob", "pb");
    anna->pending();
    server.deleteClient(0);
    EXPECT_TRUE(anna->waitClosed());
    EXPECT_EQ(bob->takeLines(2), EmptyList);
    EXPECT_EQ(clients.names(), QStringList({"Bob"}));
    EXPECT_EQ(temp.store().openKey(NetClients::KeyPath, false)->readInteger(NetClients::CountValue),
              1);
    EXPECT_EQ(server.loggedClients(), QStringList({"Bob"}));
}

TEST_F(NetServerTest, AnOverlongLineClosesOnlyItsConnection) {
    auto anna = loggedIn("127.0.0.1", "Anna", "pa");
    auto flooder = connectFrom("127.0.0.2");
    flooder->send(QByteArray(NetProtocol::MaxLineBytes + 1000, 'x'));
    EXPECT_TRUE(flooder->waitClosed());
    EXPECT_EQ(server.connectionCount(), 1);
    anna->send("ping\n");
    EXPECT_EQ(anna->takeLines(3), EmptyList + UV);
}

TEST_F(NetServerTest, AFloodOfNonNumericCommandsOpensNoBoxAndLeavesTheServerAnswering) {
    auto anna = loggedIn("127.0.0.1", "Anna", "pa");
    const QByteArray junk = QByteArray("ExecCommand\x01oops\n").repeated(5000);
    anna->send(junk);
    anna->send("ping\n");
    EXPECT_EQ(anna->takeLines(1), UV); // the only reply to 5001 lines
    EXPECT_EQ(anna->pending(), "");
    EXPECT_TRUE(boxes.errors.isEmpty());
    EXPECT_EQ(server.clientActionLog(), QStringList({"Anna:'oops' is not a valid integer value"}));
}

TEST_F(NetServerTest, APortInUseLeavesTheServerClosed) {
    QTcpServer holder;
    ASSERT_TRUE(holder.listen(QHostAddress::AnyIPv4, 0));
    EXPECT_FALSE(server.listen(holder.serverPort()));
    EXPECT_FALSE(server.isListening());
    EXPECT_FALSE(server.errorString().isEmpty());
}

TEST_F(NetServerTest, OpeningTheSocketEmptiesTheClientActionLog) {
    auto anna = loggedIn("127.0.0.1", "Anna", "pa");
    anna->send("ClientAction\x01"
               "1\n");
    anna->takeLines(1);
    EXPECT_EQ(server.clientActionLog().size(), 1);
    QStringList shown = {"stale"};
    QObject::connect(&server, &NetServer::clientActionLogChanged,
                     [&](const QStringList& lines) { shown = lines; });
    ASSERT_TRUE(server.listen(0));
    EXPECT_TRUE(server.clientActionLog().isEmpty());
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_TRUE(anna->waitClosed());
}

} // namespace
