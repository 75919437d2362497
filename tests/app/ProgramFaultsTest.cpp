// SPDX-License-Identifier: GPL-3.0-or-later
// What is not working, as the program with no window finds it and a phone's page shows it: the
// sound device, the network server's port, a board; each logged once however often it is seen.
#include "app/ProgramServices.h"
#include "core/ProgramState.h"
#include "core/SettingsStore.h"
#include "core/StoreAccess.h"
#include "device/BoardPoller.h"
#include "device/SimBoards.h"
#include "home/HomeSettings.h"
#include "home/MosquittoConnection.h"
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

struct Home {
    TempStore temp;
    CorePlatform fakes;
    DeviceLessPlayer player;
    QTemporaryDir boardsDir;
    SimBoards boards{boardsDir.path()};
    QTcpServer portTaker;
    ProgramState state;
    std::unique_ptr<ProgramServices> program;

    void start() {
        PlatformServices p = fakes.services(&temp.store());
        p.player = &player;
        p.boards = &boards;
        p.mqtt = makeMosquittoConnection;
        program = std::make_unique<ProgramServices>(state, p);
    }
};

struct FaultCase {
    std::string name;
    const char* category;
    std::function<void(Home&)> arrange; // before the program loads
    std::function<void(Home&)> run;     // the same failure, seen again and again
    std::optional<ProgramFault::Kind> kind;
    int warnings;
    const char* pageLine; // in the page's language
};
void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

void playThrice(Home& h) {
    int reports = 0;
    QObject::connect(&h.program->sound, &SoundStage::reported, [&reports] { ++reports; });
    for (int i = 1; i <= 3; ++i) {
        h.program->sound.play({});
        ASSERT_TRUE(QTest::qWaitFor([&] { return reports == i; }));
    }
}

const FaultCase FaultCases[] = {
    {"all_working", "gloamery.sound", [](Home&) {}, playThrice, std::nullopt, 0, nullptr},
    {"no_audio_device", "gloamery.sound",
     [](Home& h) { h.player.why = QStringLiteral("no audio device <hw:0>"); }, playThrice,
     ProgramFault::Kind::Sound, 1, "Sound: no audio device &lt;hw:0&gt;"},
    {"network_port_taken_twice", "gloamery.net",
     [](Home& h) {
         ASSERT_TRUE(h.portTaker.listen(QHostAddress::AnyIPv4));
         auto key = h.temp.store().openKey(ServerSettingsStore::KeyPath, true);
         key->writeInteger(QStringLiteral("ServerSocket"), h.portTaker.serverPort());
         key->writeBool(QStringLiteral("AutoSocket"), true);
     },
     [](Home& h) {
         h.program->startWhatIsWanted();
         h.program->netServer.reconnect();
         h.program->netServer.close(); // cleared, then back
         h.program->netServer.reconnect();
         EXPECT_EQ(h.program->netServer.fault()->number, h.portTaker.serverPort());
     },
     ProgramFault::Kind::NetServer, 2, "Network server: port "},
    {"broker_refusing_retried", "gloamery.home",
     [](Home& h) {
         // A port just given up by a listener: nothing answers there.
         ASSERT_TRUE(h.portTaker.listen(QHostAddress::LocalHost));
         HomeSettings settings;
         settings.enabled = true;
         settings.host = QStringLiteral("127.0.0.1");
         settings.port = h.portTaker.serverPort();
         h.portTaker.close();
         ASSERT_EQ(HomeSettingsStore(&h.temp.store()).save(settings), QString());
     },
     [](Home& h) {
         h.program->startWhatIsWanted();
         int attempts = 0;
         QObject::connect(&h.program->home, &HomeLinkControl::stateChanged,
                          [&attempts](const MqttLinkState& now) {
                              attempts += now.phase == MqttLinkState::Phase::Retrying;
                          });
         ASSERT_TRUE(QTest::qWaitFor([&] { return attempts >= 2; }, 10000));
     },
     ProgramFault::Kind::HomeAutomation, 1, "Home automation: connection refused by 127.0.0.1:"},
    {"board_refusing_russian", "gloamery.device",
     [](Home& h) {
         h.state.InterfaceLanguage = Language::Russian;
         // The socket file of a board that ended: listed, refusing every connection.
         sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};
         const QByteArray path = QFile::encodeName(h.boardsDir.filePath("board-abcc-0003-1.sock"));
         std::strncpy(address.sun_path, path.constData(), sizeof(address.sun_path) - 1);
         const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
         ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
         ::close(fd);
     },
     [](Home& h) {
         ASSERT_TRUE(QTest::qWaitFor([&] { return h.program->boards.hasBoards(); }, 5000));
         int cycles = 0;
         QObject::connect(h.program->boards.pollers().front().get(), &BoardPoller::readingArrived,
                          [&cycles] { ++cycles; });
         ASSERT_TRUE(QTest::qWaitFor([&] { return cycles >= 20; }, 10000));
     },
     ProgramFault::Kind::Board, 1, "Плата 3: "},
};

class ProgramFaults : public testing::TestWithParam<FaultCase> {};

TEST_P(ProgramFaults, AreListedLoggedOnceAndShownOnThePage) {
    const FaultCase& c = GetParam();
    Home h;
    c.arrange(h);
    h.start();
    const WarningRecorder warnings(c.category);
    c.run(h);

    const std::vector<ProgramFault> faults = h.program->control.faults();
    ASSERT_EQ(faults.size(), c.kind ? 1u : 0u);
    EXPECT_TRUE(!c.kind || faults.front().kind == *c.kind);
    EXPECT_EQ(warnings.messages().size(), c.warnings)
        << warnings.messages().join('\n').toStdString();

    WebAccessSettings settings;
    settings.Admin_OK = true;
    settings.Admin_Login = QStringLiteral("admin");
    settings.Admin_Pass = QStringLiteral("a-long-password");
    ManagementPage page([&settings] { return settings; }, h.program->control, GhostPictures());
    const QByteArray body = page.answer(
        {"GET", "Basic " + QByteArray("admin:a-long-password").toBase64(), {}, false, 0x7F000001});
    EXPECT_EQ(body.contains("id=\"faults\""), c.pageLine != nullptr);
    EXPECT_TRUE(!c.pageLine || body.contains(c.pageLine)) << body.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgramFaults, testing::ValuesIn(FaultCases),
                         [](const auto& param) { return param.param.name; });

class AttractionAutostart : public testing::TestWithParam<std::pair<std::optional<int>, bool>> {};

TEST_P(AttractionAutostart, StartsWithTheProgramOnlyWhenWanted) {
    const auto [stored, running] = GetParam();
    Home h;
    if (stored)
        h.temp.store()
            .openKey(ProgramKey, true)
            ->writeInteger(QStringLiteral("Attraction_Autostart"), *stored);
    h.start();
    EXPECT_FALSE(h.state.AttractionRunning) << "not by loading";
    h.program->startWhatIsWanted();
    EXPECT_EQ(h.program->control.attraction().running, running);
}

INSTANTIATE_TEST_SUITE_P(Cases, AttractionAutostart,
                         testing::Values(std::pair{std::optional<int>{}, false},
                                         std::pair{std::optional<int>{0}, false},
                                         std::pair{std::optional<int>{7}, true}));

} // namespace
