// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetCommands.h"

#include "FakeTransport.h"
#include "RecordingProgramControl.h"
#include "net/NetClients.h"
#include "net/NetProtocol.h"
#include "net/NetWire.h"
#include "support/FixedClock.h"

#include <gtest/gtest.h>

namespace {

const QByteArray UV = NetWire::userVariables();

// One protocol with client "A" logged in on connection 1, holding the given rights.
struct CommandRig {
    explicit CommandRig(std::array<bool, 4> rights, bool withControl = true)
        : clients(nullptr, nullptr)
        , protocol(clients, transport, clock, {}) {
        clients.add("A");
        clients.select(0);
        clients.apply("pa", rights);
        if (withControl)
            protocol.setProgramControl(&control);
        protocol.connectionOpened(1, "10.0.0.1");
        protocol.dataReceived(1, "login\x01"
                                 "A\x01pa\n");
        transport.clear();
    }
    // Sends the line and returns what came back on the sender's connection.
    QByteArray send(const QByteArray& line) {
        protocol.dataReceived(1, line);
        return transport.take(1);
    }
    QByteArray exec(const QByteArray& number) { return send("ExecCommand\x01" + number + "\n"); }

    FixedClock clock;
    FakeTransport transport;
    NetClients clients;
    RecordingProgramControl control;
    NetProtocol protocol;
};

std::array<bool, 4> only(int command) {
    std::array<bool, 4> rights{};
    rights.at(command - 1) = true;
    return rights;
}

TEST(NetCommands, EachCommandRunsItsActionOnlyWithItsRightAndIsLoggedOnlyWhenCarriedOut) {
    const char* const actions[] = {"start", "stop", "act", "door"};
    for (int command = 1; command <= 4; ++command) {
        for (bool granted : {true, false}) {
            for (bool dialog : {false, true}) {
                SCOPED_TRACE(testing::Message()
                             << "command " << command << (granted ? "" : " not")
                             << " granted, dialog " << (dialog ? "open" : "closed"));
                // Without its own right but with every other one, so a wrong mapping would show.
                std::array<bool, 4> rights = {true, true, true, true};
                if (!granted)
                    rights.at(command - 1) = false;
                CommandRig rig(rights);
                rig.control.dialog = dialog;
                EXPECT_EQ(rig.exec(QByteArray::number(command)), UV)
                    << "no reply but the broadcast";
                EXPECT_EQ(rig.control.asked,
                          granted ? QStringList{actions[command - 1]} : QStringList{});
                const QStringList logged = {QStringLiteral("A: command %1").arg(command)};
                EXPECT_EQ(rig.protocol.clientActionLog().lines(),
                          granted && !dialog ? logged : QStringList{});
            }
        }
    }
}

TEST(NetCommands, OnlyTheNumbersOneToFourMeanSomething) {
    const struct {
        QByteArray number;
        QStringList asked;
    } cases[] = {
        {"0", {}},         {"5", {}},        {"-1", {}},      {"256", {}},
        {"$FFFFFFFF", {}}, {"$2", {"stop"}}, {"+3", {"act"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number.toStdString());
        CommandRig rig({true, true, true, true});
        EXPECT_EQ(rig.exec(c.number), UV);
        EXPECT_EQ(rig.control.asked, c.asked);
        EXPECT_EQ(rig.protocol.clientActionLog().lines().size(), c.asked.size());
    }
}

TEST(NetCommands, ANumberOutsideOneToFourAsksNothingEvenIfItGetsPastTheRights) {
    for (int number : {0, 5, -1, 256}) {
        RecordingProgramControl control;
        EXPECT_EQ(NetCommands::run(control, number), std::nullopt) << number;
        EXPECT_TRUE(control.asked.isEmpty()) << number;
    }
}

TEST(NetCommands, ADoorWithoutABoardIsAskedForButNotLogged) {
    CommandRig rig(only(4));
    rig.control.door = ProgramControl::Outcome::NoBoard;
    EXPECT_EQ(rig.exec("4"), UV);
    EXPECT_EQ(rig.control.asked, QStringList{"door"});
    EXPECT_TRUE(rig.protocol.clientActionLog().lines().isEmpty());
}

TEST(NetCommands, WithoutAProgramToDriveAPermittedCommandChangesNothing) {
    CommandRig rig({true, true, true, true}, false);
    for (const char* number : {"1", "2", "3", "4"})
        EXPECT_EQ(rig.exec(number), UV);
    EXPECT_TRUE(rig.control.asked.isEmpty());
    EXPECT_TRUE(rig.protocol.clientActionLog().lines().isEmpty());
}

TEST(NetCommands, AConnectionThatIsNotLoggedInRunsNothing) {
    CommandRig rig({true, true, true, true});
    rig.protocol.connectionOpened(2, "10.0.0.2");
    rig.protocol.dataReceived(2, "ExecCommand\x01"
                                 "1\n");
    EXPECT_EQ(rig.transport.take(2), UV);
    EXPECT_TRUE(rig.control.asked.isEmpty());
    EXPECT_TRUE(rig.protocol.clientActionLog().lines().isEmpty());
}

TEST(NetCommands, ACommandTakesItsClientsLineInTheLog) {
    CommandRig rig(only(1));
    rig.clients.add("B");
    rig.clients.select(1);
    rig.clients.apply("pb", only(2));
    rig.protocol.connectionOpened(2, "10.0.0.2");
    rig.protocol.dataReceived(2, "login\x01"
                                 "B\x01pb\n");
    rig.send("ClientAction\x01"
             "7\n");
    rig.protocol.dataReceived(2, "ExecCommand\x01"
                                 "2\n");
    rig.exec("1");
    EXPECT_EQ(rig.control.asked, (QStringList{"stop", "start"}));
    EXPECT_EQ(rig.protocol.clientActionLog().lines(),
              (QStringList{"A: command 1", "B: command 2"}));
}

TEST(NetCommands, ARightGrantedWhileLoggedInCountsAtOnce) {
    CommandRig rig({});
    rig.exec("3");
    rig.clients.select(0);
    rig.clients.apply("pa", only(3));
    rig.exec("3");
    EXPECT_EQ(rig.control.asked, QStringList{"act"});
}

} // namespace
