// SPDX-License-Identifier: GPL-3.0-or-later
// What is not working, as the program with no window finds it and a phone's page shows it: the
// sound device, the network server's port, a board; each logged once however often it is seen.
#include "app/ProgramServices.h"
#include "core/ProgramState.h"
#include "core/SettingsStore.h"
#include "core/StoreAccess.h"
#include "device/BoardPoller.h"
#include "device/SimBoards.h"
#include "net/ServerSettings.h"
#include "sound/SoundPlayer.h"
#include "support/CorePlatform.h"
#include "support/TempStore.h"
#include "support/WarningRecorder.h"
#include "web/page/ManagementPage.h"

#include <QTcpServer>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Plays nothing and says why, as a player without an audio device does.
class DeviceLessPlayer : public SoundPlayer {
public:
    QString why;
    bool play(const QByteArray&, double) override { return false; }
    void stop() override {}
    bool playing() const override { return false; }
    QString fault() const override { return why; }
};

// A board socket left behind by a board that died: listed, and refusing every connection.
void leaveDeadBoard(const QString& dir, int productId) {
    const QByteArray path = QFile::encodeName(
        dir + QStringLiteral("/board-abcc-%1-1.sock").arg(productId, 4, 16, QLatin1Char('0')));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.constData(), sizeof(address.sun_path) - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
}

struct Home {
    TempStore temp;
    CorePlatform fakes;
    DeviceLessPlayer player;
    QTemporaryDir boardsDir;
    SimBoards boards{boardsDir.path()};
    QTcpServer portTaker;
    ProgramState state;
    std::unique_ptr<ProgramServices> program;

    PlatformServices platform() {
        PlatformServices p = fakes.services(&temp.store());
        p.player = &player;
        p.boards = &boards;
        return p;
    }
    void start() { program = std::make_unique<ProgramServices>(state, platform()); }
};

struct FaultCase {
    std::string name;
    const char* category;
    std::function<void(Home&)> arrange; // before the program loads
    std::function<void(Home&)> run;     // the same failure, seen again and again
    std::vector<ProgramFault::Kind> kinds;
    const char* pageLine; // as the English page says it; %1 the reason
};

void playThrice(Home& h) {
    int reports = 0;
    QObject::connect(&h.program->sound, &SoundStage::reported, [&reports] { ++reports; });
    for (int i = 1; i <= 3; ++i) {
        h.program->sound.play({});
        ASSERT_TRUE(QTest::qWaitFor([&] { return reports == i; }));
    }
}

void failTheNetworkPortThrice(Home& h) {
    h.program->startWhatIsWanted();
    h.program->netServer.reconnect();
    h.program->netServer.reconnect();
}

void pollTheBoardsTwentyTimes(Home& h) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.program->boards.searchDone(); }, 5000));
    ASSERT_EQ(h.program->boards.pollers().size(), 1u);
    int cycles = 0;
    QObject::connect(h.program->boards.pollers().front().get(), &BoardPoller::readingArrived,
                     [&cycles] { ++cycles; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return cycles >= 20; }, 10000));
}

const FaultCase FaultCases[] = {
    {"all_working", "gloamery.sound", [](Home&) {}, playThrice, {}, nullptr},
    {"no_audio_device",
     "gloamery.sound",
     [](Home& h) { h.player.why = QStringLiteral("no audio device <hw:0>"); },
     playThrice,
     {ProgramFault::Kind::Sound},
     "Sound: no audio device &lt;hw:0&gt;"},
    {"network_port_taken",
     "gloamery.net",
     [](Home& h) {
         ASSERT_TRUE(h.portTaker.listen(QHostAddress::AnyIPv4));
         auto key = h.temp.store().openKey(ServerSettingsStore::KeyPath, true);
         key->writeInteger(QStringLiteral("ServerSocket"), h.portTaker.serverPort());
         key->writeBool(QStringLiteral("AutoSocket"), true);
     },
     failTheNetworkPortThrice,
     {ProgramFault::Kind::NetServer},
     "Network server: port "},
    {"board_refusing",
     "gloamery.device",
     [](Home& h) { leaveDeadBoard(h.boardsDir.path(), 3); },
     pollTheBoardsTwentyTimes,
     {ProgramFault::Kind::Board},
     "Board 3: "},
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

class ProgramFaults : public testing::TestWithParam<FaultCase> {};

TEST_P(ProgramFaults, AreListedLoggedOnceAndShownOnThePage) {
    const FaultCase& c = GetParam();
    Home h;
    c.arrange(h);
    h.start();
    const WarningRecorder warnings(c.category);
    c.run(h);

    const std::vector<ProgramFault> faults = h.program->control.faults();
    std::vector<ProgramFault::Kind> kinds;
    for (const ProgramFault& fault : faults)
        kinds.push_back(fault.kind);
    EXPECT_EQ(kinds, c.kinds);
    EXPECT_EQ(warnings.messages().size(), c.kinds.size())
        << warnings.messages().join('\n').toStdString();
    if (!faults.empty() && faults.front().kind == ProgramFault::Kind::NetServer) {
        EXPECT_EQ(faults.front().number, h.portTaker.serverPort());
    }

    WebAccessSettings settings;
    settings.Admin_OK = true;
    settings.Admin_Pass = QStringLiteral("a-long-password");
    ManagementPage page([&settings] { return settings; }, h.program->control, GhostPictures());
    const QByteArray reply = page.answer(
        {"GET",
         "Basic " + (settings.Admin_Login + u':' + settings.Admin_Pass).toUtf8().toBase64(),
         {},
         false,
         0x7F000001});
    ASSERT_TRUE(reply.startsWith("HTTP/1.1 200")) << reply.left(60).toStdString();
    EXPECT_EQ(reply.contains("Not working:"), c.pageLine != nullptr);
    if (c.pageLine) {
        EXPECT_TRUE(reply.contains(c.pageLine)) << reply.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgramFaults, testing::ValuesIn(FaultCases),
                         [](const testing::TestParamInfo<FaultCase>& param) {
                             return param.param.name;
                         });

struct AutostartCase {
    std::string name;
    std::optional<int> stored;
    bool running;
};

class AttractionAutostart : public testing::TestWithParam<AutostartCase> {};

TEST_P(AttractionAutostart, StartsWithTheProgramOnlyWhenWanted) {
    const AutostartCase& c = GetParam();
    Home h;
    if (c.stored)
        h.temp.store()
            .openKey(ProgramKey, true)
            ->writeInteger(QStringLiteral("Attraction_Autostart"), *c.stored);
    h.start();
    EXPECT_FALSE(h.state.AttractionRunning) << "not by loading";
    h.program->startWhatIsWanted();
    EXPECT_EQ(h.state.AttractionRunning, c.running);
    EXPECT_EQ(h.program->control.attraction().running, c.running);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AttractionAutostart,
    testing::Values(AutostartCase{"never_set", std::nullopt, false}, AutostartCase{"off", 0, false},
                    AutostartCase{"on", 1, true}, AutostartCase{"any_non_zero", 7, true}),
    [](const testing::TestParamInfo<AutostartCase>& param) { return param.param.name; });

} // namespace
