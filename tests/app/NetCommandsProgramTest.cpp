// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramRun.h"
#include "app/ProgramWindows.h"
#include "app/TfmLogo.h"
#include "core/ProgramControl.h"
#include "device/HouseBoards.h"
#include "device/TMyDataFrame.h"
#include "ghosts/TfmGhost.h"
#include "net/NetClients.h"
#include "net/NetServerService.h"
#include "net/NetWire.h"
#include "net/ServerSettings.h"
#include "net/WireClient.h"
#include "support/FakeHidBackend.h"
#include "support/LocalPorts.h"
#include "support/TempStore.h"

#include <QCheckBox>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QByteArray UV = NetWire::userVariables();

// A network client that takes turns with the others. Every line, whoever sends it, brings each
// connected client one broadcast when its handling is over, so a client that has the broadcasts
// of all the lines sent since it connected knows that its own line has done its work.
class TurnTakingClient {
public:
    TurnTakingClient(quint16 port, const char* fromAddress, int& linesSent)
        : m_wire(port, fromAddress)
        , m_linesSent(linesSent)
        , m_firstLine(linesSent) {}

    bool say(const QByteArray& line) {
        m_wire.send(line);
        ++m_linesSent;
        return QTest::qWaitFor([&] {
            m_received += m_wire.pending();
            return m_received.count(UV) == m_linesSent - m_firstLine;
        });
    }
    const QByteArray& received() const { return m_received; }

private:
    WireClient m_wire;
    int& m_linesSent;
    const int m_firstLine;
    QByteArray m_received;
};

QByteArray login(const QByteArray& name, const QByteArray& password) {
    return "login\x01" + name + "\x01" + password + "\n";
}

QByteArray command(const char* number) {
    return QByteArray("ExecCommand\x01") + number + "\n";
}

void storeClients(SettingsStore& store) {
    NetClients clients(&store, nullptr);
    clients.load();
    clients.select(0);
    clients.apply(QStringLiteral("one"), {true, true, true, true});
    clients.select(1);
    clients.apply(QStringLiteral("two"), {});
}

void storeAutoSocket(SettingsStore& store, quint16 port) {
    auto key = store.openKey(ServerSettingsStore::KeyPath, true);
    key->writeBool(QStringLiteral("AutoSocket"), true);
    key->writeInteger(QStringLiteral("ServerSocket"), port);
    key->close();
}

QCheckBox* doorBox(ProgramWindows& windows) {
    if (!QTest::qWaitFor([&] { return windows.boards().searchDone(); }))
        return nullptr;
    QTabWidget* pages = windows.fmLogo->devicePages();
    if (pages->count() == 0)
        return nullptr;
    auto* frame = pages->widget(0)->findChild<TMyDataFrame*>();
    return frame ? frame->outputBox(HouseBoards::DoorOutput + 1) : nullptr;
}

TEST(NetCommandsInProgram, EachCommandDrivesTheProgramOnlyForAClientWithItsRight) {
    TempStore temp;
    const quint16 port = freePort();
    storeClients(temp.store());
    storeAutoSocket(temp.store(), port);
    FakeHidBackendFactory boards;
    boards.backend().add(0xABCC, 1);
    ProgramRun program(temp.reopen());
    program.boards = &boards;
    ASSERT_TRUE(program.run([&](Program& p) {
        ProgramWindows& windows = p.windows();
        ASSERT_TRUE(windows.netServer().socketOpen());
        QCheckBox* door = doorBox(windows);
        ASSERT_NE(door, nullptr);
        // Ghost 1 alone takes part, so the act it makes shows which ghost acted.
        for (int ghost = 1; ghost <= 8; ++ghost)
            windows.control().switchGhost(ghost, ghost == 1);
        const CurrentAct& act = p.services().ghosts.currentAct();
        auto log = [&] {
            return windows.netServer().clientActionLog();
        };

        int linesSent = 0;
        TurnTakingClient refused(port, "127.0.0.3", linesSent);
        ASSERT_TRUE(refused.say(login("Client_2", "two")));
        ASSERT_TRUE(refused.received().contains("LoggedAs\x01"
                                                "Client_2\n"));
        for (const char* number : {"1", "3", "4"})
            ASSERT_TRUE(refused.say(command(number)));
        EXPECT_FALSE(program.state.AttractionRunning);
        EXPECT_EQ(act.GhostNumber, 0);
        EXPECT_FALSE(door->isChecked());
        EXPECT_TRUE(log().isEmpty());

        TurnTakingClient granted(port, "127.0.0.2", linesSent);
        ASSERT_TRUE(granted.say(login("Client_1", "one")));
        program.platform.random.script({0, 0, 0, 0}); // the act's start, kind, number, effect
        ASSERT_TRUE(granted.say(command("3")));
        EXPECT_EQ(act.GhostNumber, 1);
        EXPECT_EQ(log(), QStringList{"Client_1: command 3"});
        ASSERT_TRUE(granted.say(command("4")));
        EXPECT_TRUE(door->isChecked());
        EXPECT_EQ(log(), QStringList{"Client_1: command 4"});

        // The first wait, should a tick of the running attraction come before the stop.
        program.platform.random.script({0});
        ASSERT_TRUE(granted.say(command("1")));
        EXPECT_TRUE(program.state.AttractionRunning);
        EXPECT_EQ(log(), QStringList{"Client_1: command 1"});
        ASSERT_TRUE(refused.say(command("2")));
        EXPECT_TRUE(program.state.AttractionRunning);
        program.state.DialogOpen.opened();
        ASSERT_TRUE(granted.say(command("2")));
        EXPECT_TRUE(program.state.AttractionRunning);
        EXPECT_EQ(log(), QStringList{"Client_1: command 1"});
        program.state.DialogOpen.closed();
        ASSERT_TRUE(granted.say(command("2")));
        EXPECT_FALSE(program.state.AttractionRunning);
        EXPECT_EQ(log(), QStringList{"Client_1: command 2"});
    }));
    EXPECT_TRUE(program.messages.errors.isEmpty());
}

} // namespace
