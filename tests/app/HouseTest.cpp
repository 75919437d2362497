// SPDX-License-Identifier: GPL-3.0-or-later
// The house answering back, on a real simulated board: a press of the doorbell makes the postman
// ghost play through the audio output, and the end of the attraction opens the door.
#include "app/ProgramServices.h"
#include "app/ProgramWindows.h"
#include "app/TfmLogo.h"
#include "core/ProgramState.h"
#include "core/RandomSource.h"
#include "device/BoardProcess.h"
#include "device/HouseBoards.h"
#include "device/SimBoards.h"
#include "ghosts/AttractionScheduler.h"
#include "ghosts/TfmGhost.h"
#include "mainwindow/TfmMain.h"
#include "settings/TfmNastr.h"
#include "sound/DiskAudio.h"
#include "support/FakePlatform.h"
#include "support/TempStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The whole program's windows on a store of their own, with one simulated board (product id 1)
// and the real player writing to a file.
struct House {
    DiskAudio disk;
    QTemporaryDir boardDir;
    BoardProcess board{
        {QStringLiteral("--pid"), QStringLiteral("1"), QStringLiteral("--dir"), boardDir.path()}};
    TempStore temp;
    FakePlatform fakes;
    ClockSeededRandom random{fakes.clock};
    SimBoards boards{boardDir.path()};
    std::unique_ptr<SdlSoundPlayer> player;
    ProgramState state;
    std::unique_ptr<ProgramServices> program;
    std::unique_ptr<ProgramWindows> windows;

    House() {
        EXPECT_TRUE(waitUntil([&] {
            // Sockets count as system entries.
            return !QDir(boardDir.path())
                        .entryList({QStringLiteral("*.sock")}, QDir::System)
                        .isEmpty();
        })) << qPrintable(board.errors());
        player = std::make_unique<SdlSoundPlayer>();
        PlatformServices services = fakes.services(&temp.store());
        services.random = &random;
        services.boards = &boards;
        services.player = player.get();
        program = std::make_unique<ProgramServices>(state, services);
        windows = std::make_unique<ProgramWindows>(state, services, *program, Language::English);
    }
    ~House() {
        windows.reset();
        program.reset();
        player.reset();
    }

    GhostSettings& ghost(int n) { return windows->fmGhost->ghostTable()[n]; }
    void command(const QString& line) {
        board.send(line);
        ASSERT_TRUE(board.sync()) << qPrintable(line);
    }
    // Lets the monitor page read the board as it stands now.
    void settle() { QTest::qWait(400); }
};

TEST(House, TheDoorbellMakesTheListeningPostmanPlayOnlyWhileTheAttractionRuns) {
    House h;
    ASSERT_TRUE(waitUntil([&] { return h.windows->boards().searchDone(); }));
    ASSERT_EQ(h.windows->fmLogo->devicePages()->count(), 1);
    GhostSettings& postman = h.ghost(4);
    postman.ON = true;
    postman.Regime = 1;
    postman.Special = 4;
    postman.Special_Dop_1 = 1; // the doorbell button: board input 7
    h.settle();
    QSignalSpy presses(&h.windows->boards(), &HouseBoards::sensorTurnedOn);

    // A second: the page reads one report in 100 ms, and only every other report carries the
    // doorbell's input, so a press of a few tenths can go unseen.
    h.command(QStringLiteral("press 7 1000"));
    QTest::qWait(1500);
    ASSERT_EQ(presses.count(), 1) << "the page saw the press";
    EXPECT_EQ(presses[0][0].toInt(), 6);
    EXPECT_EQ(h.program->ghosts.currentAct().GhostNumber, 0) << "the attraction is stopped";
    EXPECT_LE(h.disk.peak(), 0) << "nothing played";

    h.windows->fmMain->Sb_Attraction_ShowClick();
    h.command(QStringLiteral("press 7 1000"));
    ASSERT_TRUE(waitUntil([&] { return h.program->ghosts.currentAct().GhostNumber == 4; }));
    EXPECT_EQ(h.program->ghosts.currentAct().Special, 4) << "the postman's library";
    EXPECT_TRUE(waitUntil([&] { return h.disk.peak() > 1000; }))
        << "the sound reached the audio output: peak " << h.disk.peak();
    h.windows->fmMain->Sb_Attraction_ShowClick();
}

// Time from the board's "output 4 on" to its "output 4 off", or -1 when it never opened.
qint64 doorOpenMs(House& h, int waitForOpenMs) {
    if (!h.board.waitForOutput(QStringLiteral("output 4 on"), waitForOpenMs))
        return -1;
    QElapsedTimer open;
    open.start();
    if (!h.board.waitForOutput(QStringLiteral("output 4 off"), 10000))
        return -2;
    return open.elapsed();
}

TEST(House, TheEndOfTheAttractionByItsDurationOpensTheDoorForThreeSeconds) {
    struct Case {
        const char* name;
        bool doorTicked;
        bool byButton;
        bool opens;
    };
    const Case cases[] = {
        {"the limit, door ticked", true, false, true},
        {"the button, door ticked", true, true, false},
        {"the limit, door not ticked", false, false, false},
    };
    for (const Case& c : cases) {
        House h;
        h.program->attraction.options().Attraction_Over_1 = c.doorTicked;
        h.program->attraction.options().Attraction_Time = 0;
        h.settle();
        h.windows->fmMain->Sb_Attraction_ShowClick();
        AttractionScheduler& attraction = h.program->attraction.scheduler();
        if (c.byButton) {
            h.windows->fmMain->Sb_Attraction_ShowClick();
        } else {
            attraction.LimitTick = AttractionScheduler::Limits[0] - 1;
            h.program->attraction.Timer_GhostTimer();
        }
        ASSERT_FALSE(h.state.AttractionRunning) << c.name;
        const qint64 openMs = doorOpenMs(h, c.opens ? 5000 : 1000);
        if (c.opens) {
            // The page ticks the box at its next cycle and unticks it 3 s later: about 3 s, with
            // room for a busy machine.
            EXPECT_GE(openMs, 2500) << c.name;
            EXPECT_LE(openMs, 6000) << c.name;
        } else {
            EXPECT_EQ(openMs, -1) << c.name;
        }
    }
}

TEST(House, EndingTheProgramWhileTheDoorIsOpenSwitchesItOff) {
    House h;
    h.settle();
    ASSERT_TRUE(h.windows->boards().openDoor());
    ASSERT_TRUE(h.board.waitForOutput(QStringLiteral("output 4 on")));
    h.windows.reset();
    h.program.reset();
    EXPECT_TRUE(h.board.waitForOutput(QStringLiteral("output 4 off"), 2000));
}

} // namespace
