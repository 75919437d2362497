// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetProtocol.h"

#include "FakeTransport.h"
#include "RecordingProgramControl.h"
#include "core/Windows1251.h"
#include "net/NetClients.h"
#include "net/NetWire.h"
#include "support/FixedClock.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const QByteArray UV = NetWire::userVariables();

QByteArray list(std::initializer_list<const char*> names) {
    QByteArray block = "BeginLogged\n";
    for (const char* name : names)
        block += QByteArray("Logged\x01") + name + "\n";
    return block + "EndLogged\n";
}

class NetProtocolTest : public ::testing::Test {
protected:
    NetProtocolTest()
        : clients(nullptr, nullptr)
        , protocol(clients, transport, clock, [this] { ++beeps; }) {
        protocol.setProgramControl(&control);
    }

    void addClient(const QString& name, const QString& password, std::array<bool, 4> rights = {}) {
        clients.add(name);
        clients.select(clients.count() - 1);
        clients.apply(password, rights);
    }
    void open(NetConnectionId id, const char* address) { protocol.connectionOpened(id, address); }
    void receive(NetConnectionId id, const QByteArray& bytes) {
        protocol.dataReceived(id, bytes);
        runTurns(0);
    }
    // The event loop's part: hands back the lines set aside for a later turn, those held up to
    // `heldMs` included.
    void runTurns(qint64 heldMs) {
        while (!transport.resumes.empty()) {
            const auto due = std::find_if(transport.resumes.begin(), transport.resumes.end(),
                                          [&](const auto& r) { return r.second <= heldMs; });
            if (due == transport.resumes.end())
                return;
            const NetConnectionId id = due->first;
            transport.resumes.erase(due);
            protocol.resume(id);
        }
    }
    void login(NetConnectionId id, const QByteArray& name, const QByteArray& password) {
        receive(id, "login\x01" + name + "\x01" + password + "\n");
    }

    FixedClock clock;
    FakeTransport transport;
    NetClients clients;
    int beeps = 0;
    RecordingProgramControl control;
    NetProtocol protocol;
};

TEST_F(NetProtocolTest, ALoginGetsListsThenItsRightsThenLoggedAsThenTheBroadcast) {
    addClient("A", "pa", {false, false, true, false});
    clients.record(0)->setEditEnable(true);
    open(1, "10.0.0.1");
    open(2, "10.0.0.2");
    login(1, "A", "pa");
    EXPECT_EQ(transport.take(1), list({}) +
                                     "BeginPrivileges\n"
                                     "Privilege\x01"
                                     "1\x01"
                                     "0\n"
                                     "Privilege\x01"
                                     "2\x01"
                                     "0\n"
                                     "Privilege\x01"
                                     "3\x01"
                                     "1\n"
                                     "Privilege\x01"
                                     "4\x01"
                                     "0\n"
                                     "EditEnable\n"
                                     "EndPrivileges\n"
                                     "LoggedAs\x01"
                                     "A\n" +
                                     UV);
    EXPECT_EQ(transport.take(2), list({"A"}) + UV);
    EXPECT_EQ(protocol.loggedClients(), QStringList({"A"}));
}

TEST_F(NetProtocolTest, RefusedLoginsLeaveTheConnectionAsItWas) {
    addClient("Anna", "secret");
    addClient("NoPass", "");
    clients.add("");
    const std::vector<std::pair<QByteArray, QByteArray>> refused = {
        {"Anna", "wrong"}, {"anna", "secret"}, {"Anna", "secret\r"}, {"Anna", ""},
        {"NoPass", ""},    {"", ""},           {"Bob", "secret"},
    };
    // Each from an address of its own: a wrong login holds back the next one from its address.
    NetConnectionId id = 1;
    for (const auto& [name, password] : refused) {
        open(id, QByteArray("10.0.1." + QByteArray::number(id)).data());
        login(id, name, password);
        EXPECT_EQ(transport.take(id), "AcsessDeny\n" + UV) << name.data() << "/" << password.data();
        transport.clear();
        ++id;
    }
    open(id, "10.0.2.1");
    receive(id, "login\x01"
                "Anna\n"); // no password field at all
    EXPECT_EQ(transport.take(id), "AcsessDeny\n" + UV);
    EXPECT_TRUE(protocol.loggedClients().isEmpty());
    transport.clear();
    login(1, "Anna", "secret"); // may try again, once its address has waited
    EXPECT_EQ(transport.take(1), "");
    clock.advance(NetLimits().firstFailureDelayMs);
    runTurns(NetLimits().firstFailureDelayMs);
    EXPECT_TRUE(transport.take(1).contains("LoggedAs\x01"
                                           "Anna\n"));
}

TEST_F(NetProtocolTest, OneLoggedInConnectionPerAddress) {
    addClient("A", "pa");
    addClient("B", "pb");
    open(1, "10.0.0.1");
    open(2, "10.0.0.1");
    open(3, "10.0.0.2");
    login(1, "A", "pa");
    transport.clear();
    login(2, "B", "pb");
    EXPECT_EQ(transport.take(2), "AlreadyConnected\n" + UV);
    login(1, "B", "pb"); // a logged-in connection cannot change its account
    EXPECT_EQ(transport.take(1), UV + "AlreadyConnected\n" + UV);
    login(3, "A", "pa");
    EXPECT_TRUE(transport.take(3).contains("LoggedAs\x01"
                                           "A\n"));
    EXPECT_EQ(protocol.loggedClients(), QStringList({"A"}));
}

TEST_F(NetProtocolTest, EachRecipientsListLeavesOutItsOwnName) {
    addClient("A", "pa");
    addClient("B", "pb");
    open(1, "10.0.0.1");
    open(2, "10.0.0.2");
    open(3, "10.0.0.3");
    open(4, "10.0.0.4");
    login(1, "A", "pa");
    login(2, "B", "pb");
    login(4, "A", "pa"); // a second A is named once
    transport.clear();
    protocol.RefreshLoggedClients();
    EXPECT_EQ(transport.take(1), list({"B"}));
    EXPECT_EQ(transport.take(2), list({"A"}));
    EXPECT_EQ(transport.take(3), list({"A", "B"}));
    EXPECT_EQ(transport.take(4), list({"B"}));
}

TEST_F(NetProtocolTest, ExecCommandRunsOnlyGrantedCommands) {
    addClient("A", "pa", {false, false, true, false});
    open(1, "10.0.0.1");
    open(2, "10.0.0.2");
    receive(2, "ExecCommand\x01"
               "3\n"); // not logged in: ignored
    login(1, "A", "pa");
    transport.clear();
    for (const char* number : {"1", "3", " 3", "$3", "5", "0", "-3"})
        receive(1, QByteArray("ExecCommand\x01") + number + "\n");
    EXPECT_EQ(control.asked, (QStringList{"act", "act", "act"}));
    QByteArray sevenBroadcasts;
    for (int i = 0; i < 7; ++i)
        sevenBroadcasts += UV;
    EXPECT_EQ(transport.take(1), sevenBroadcasts);
}

TEST_F(NetProtocolTest, ANonNumericCommandIsLoggedAndDroppedWithoutItsBroadcast) {
    addClient("A", "pa", {true, true, true, true});
    open(1, "10.0.0.1");
    login(1, "A", "pa");
    transport.clear();
    receive(1, "ExecCommand\x01"
               "3 \n");
    EXPECT_EQ(transport.take(1), "");
    EXPECT_EQ(protocol.clientActionLog().lines(),
              QStringList({"A:'3 ' is not a valid integer value"}));
    receive(1, "ExecCommand\x01"
               "3 \nExecCommand\x01"
               "2\n");
    EXPECT_EQ(transport.take(1), UV); // the second line only
    EXPECT_EQ(control.asked, QStringList{"stop"});
    EXPECT_EQ(protocol.clientActionLog().lines(), QStringList({"A: command 2"}));
}

TEST_F(NetProtocolTest, SendMessageToReachesEveryOtherConnectionOfTheTarget) {
    addClient("A", "pa");
    addClient("B", "pb");
    open(1, "10.0.0.1");
    open(2, "10.0.0.2");
    open(3, "10.0.0.3");
    open(4, "10.0.0.4");
    open(5, "10.0.0.5");
    login(1, "A", "pa");
    login(2, "B", "pb");
    login(3, "B", "pb");
    login(4, "A", "pa");
    transport.clear();
    receive(1, "SendMessageTo\x01"
               "B\x01hi there\x01ignored\n");
    const QByteArray relayed = "ShowMessageFrom\x01"
                               "A\x01hi there\n";
    EXPECT_EQ(transport.take(1), UV);
    EXPECT_EQ(transport.take(2), relayed + UV);
    EXPECT_EQ(transport.take(3), relayed + UV);
    EXPECT_EQ(transport.take(4), UV);
    EXPECT_EQ(transport.take(5), UV);

    receive(1, "SendMessageTo\x01"
               "A\x01self\n"); // the sender's own other connection, not the sender
    EXPECT_EQ(transport.take(4), "ShowMessageFrom\x01"
                                 "A\x01self\n" +
                                     UV);
    EXPECT_EQ(transport.take(1), UV);
    transport.clear();
    for (const QByteArray& ignored : {QByteArray("SendMessageTo\x01"
                                                 "b\x01x\n"),
                                      QByteArray("SendMessageTo\x01\x01x\n")}) {
        receive(1, ignored);
        EXPECT_EQ(transport.take(2), UV);
    }
    receive(5, "SendMessageTo\x01"
               "B\x01x\n"); // not logged in
    EXPECT_EQ(transport.take(2), UV);
}

TEST_F(NetProtocolTest, ClientActionsReplaceTheLineOfTheirName) {
    addClient("Anna", "pa");
    addClient("Иван", "pb");
    clients.add("ANNA"); // ignored, the same name
    open(1, "10.0.0.1");
    open(2, "10.0.0.2");
    receive(2, "ClientAction\x01"
               "1\n"); // not logged in: nothing logged
    EXPECT_TRUE(protocol.clientActionLog().lines().isEmpty());
    login(1, "Anna", "pa");
    login(2, Windows1251::encode(u"Иван").value(), "pb");
    receive(1, "ClientAction\x01"
               "1\x01x\x01-3\x01s1\x01\xEF\x01s3\x01more\n");
    receive(2, "ClientAction\n");
    EXPECT_EQ(protocol.clientActionLog().lines(),
              QStringList({"Anna:От Anna получено: 1,0,-3,\"s1\",\"п\",\"s3\".",
                           "Иван:От Иван получено: 0,0,0,\"\",\"\",\"\"."}));
    receive(1, "ClientAction\x01"
               "$10\x01"
               "2\x01"
               "3\n");
    EXPECT_EQ(protocol.clientActionLog().lines().first(),
              "Anna:От Anna получено: 16,2,3,\"\",\"\",\"\".");
    EXPECT_EQ(protocol.clientActionLog().lines().size(), 2);
}

TEST_F(NetProtocolTest, LinesAreHandledInOrderWhateverTheChunks) {
    addClient("A", "pa");
    open(1, "10.0.0.1");
    receive(1, "login\x01"
               "A\x01pa\nfoo\n");
    // One broadcast for the lines handled in one turn.
    EXPECT_TRUE(transport.take(1).endsWith("LoggedAs\x01"
                                           "A\n" +
                                           UV));
    receive(1, "SendMes");
    EXPECT_EQ(transport.take(1), "");
    receive(1, "sageTo\x01"
               "A\x01x\r\n\n");
    EXPECT_EQ(transport.take(1), UV);
}

TEST_F(NetProtocolTest, AnOverlongLineClosesItsConnection) {
    addClient("A", "pa");
    open(1, "10.0.0.1");
    open(2, "10.0.0.2");
    login(2, "A", "pa");
    receive(1, QByteArray(NetProtocol::MaxLineBytes, 'x') + "\n");
    EXPECT_TRUE(transport.closed.empty());
    transport.clear();
    receive(1, QByteArray(NetProtocol::MaxLineBytes - 10, 'x'));
    receive(1, QByteArray(11, 'x') + "\nfoo\n");
    EXPECT_EQ(transport.closed, std::vector<NetConnectionId>{1});
    EXPECT_EQ(transport.take(1), ""); // nothing handled after the cut
    EXPECT_EQ(transport.take(2), list({}));
    EXPECT_EQ(protocol.connections().size(), 1u);
    EXPECT_EQ(beeps, 1);
}

TEST_F(NetProtocolTest, DisconnectsBeepAtMostOnceASecondAndRefreshTheLists) {
    addClient("A", "pa");
    for (NetConnectionId id = 1; id <= 4; ++id)
        open(id, QByteArray("10.0.0.").append(QByteArray::number(id)));
    login(1, "A", "pa");
    transport.clear();
    protocol.connectionClosed(1);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(transport.take(2), list({}));
    protocol.connectionClosed(2);
    protocol.connectionClosed(2); // already gone
    EXPECT_EQ(beeps, 1);
    clock.setTime(QTime(12, 0, 1));
    protocol.closeConnection(3);
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(transport.closed, std::vector<NetConnectionId>{3});
    EXPECT_EQ(transport.take(4), list({}) + list({}) + list({})); // one per disconnect
}

TEST_F(NetProtocolTest, ClosingTheListenerClosesAllWithoutBeepsOrLists) {
    addClient("A", "pa");
    open(1, "10.0.0.1");
    open(2, "10.0.0.2");
    login(1, "A", "pa");
    transport.clear();
    QStringList shown = {"stale"};
    QObject::connect(&protocol, &NetProtocol::loggedClientsChanged,
                     [&](const QStringList& names) { shown = names; });
    protocol.closeAll();
    EXPECT_EQ(beeps, 0);
    EXPECT_TRUE(transport.sent.isEmpty());
    EXPECT_EQ(transport.closed, (std::vector<NetConnectionId>{1, 2}));
    EXPECT_TRUE(protocol.connections().empty());
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(NetProtocolTest, ClosingClientsByNameLeavesOthersAndTheNotLoggedIn) {
    addClient("Anna", "pa");
    addClient("Bob", "pb");
    addClient("Cid", "pc");
    open(1, "10.0.0.1");
    open(2, "10.0.0.2");
    open(3, "10.0.0.3");
    open(4, "10.0.0.4");
    open(5, "10.0.0.5");
    login(1, "Anna", "pa");
    login(2, "Bob", "pb");
    login(3, "Cid", "pc");
    login(4, "Anna", "pa");
    protocol.closeMarkedClients({"ANNA", "nobody"});
    EXPECT_EQ(transport.closed, (std::vector<NetConnectionId>{1, 4}));
    EXPECT_EQ(protocol.loggedClients(), QStringList({"Bob", "Cid"}));
    transport.clear();
    protocol.closeAllClients();
    EXPECT_EQ(transport.closed, (std::vector<NetConnectionId>{1, 4, 3, 2}));
    ASSERT_EQ(protocol.connections().size(), 1u);
    EXPECT_EQ(protocol.connections().front().id, 5u);
    EXPECT_TRUE(transport.take(5).endsWith(list({})));
}

TEST_F(NetProtocolTest, DeletingAClientClosesItsConnectionsFirst) {
    addClient("A", "pa");
    addClient("B", "pb");
    open(1, "10.0.0.1");
    open(2, "10.0.0.2");
    login(1, "A", "pa");
    login(2, "B", "pb");
    transport.clear();
    protocol.deleteClient(0);
    EXPECT_EQ(transport.closed, std::vector<NetConnectionId>{1});
    EXPECT_EQ(transport.take(2), list({}));
    EXPECT_EQ(clients.names(), QStringList({"B"}));
    protocol.deleteClient(7); // no such entry
    EXPECT_EQ(clients.count(), 1);
}

} // namespace
