// SPDX-License-Identifier: GPL-3.0-or-later
// Every act of a ghost told in the gloamery.ghosts log, whatever made it act, so a person can see
// why a sound played or why none did.
#include "app/ProgramServices.h"
#include "app/ProgramWindows.h"
#include "app/TfmLogo.h"
#include "core/ProgramState.h"
#include "device/HouseBoards.h"
#include "ghosts/AttractionScheduler.h"
#include "ghosts/TfmGhost.h"
#include "mainwindow/TfmMain.h"
#include "net/NetCommands.h"
#include "sound/TfmSound.h"
#include "support/FakePlatform.h"
#include "support/TempStore.h"
#include "support/WarningRecorder.h"

#include <QLoggingCategory>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

// The program's windows; ghost 1 alone is switched on, a postman listening to the doorbell
// ("board input 7"), at 14:05.
struct Home {
    TempStore temp;
    FakePlatform fakes;
    ProgramState state;
    PlatformServices platform = fakes.services(&temp.store());
    ProgramServices program{state, platform};
    ProgramWindows windows{state, platform, program, Language::English};

    Home() {
        for (int n = 2; n <= GhostTable::GhostCount; ++n)
            ghost(n).ON = false;
        ghost(1) = {.Name = QStringLiteral("Anna"),
                    .ON = true,
                    .Regime = 1,
                    .Special = 4,
                    .Special_Dop_1 = 1};
        fakes.clock.setTime(QTime(14, 5));
    }
    GhostSettings& ghost(int n) { return windows.fmGhost->ghostTable()[n]; }

    void waitRunsOut() {
        program.attraction.scheduler().ActTick = 10;
        program.attraction.scheduler().ActWait = 11;
        program.attraction.Timer_GhostTimer();
    }
    // As board 3 reports it.
    void ringDoorbell() { emit windows.boards().sensorTurnedOn(6, 3); }
    void homeDoorbell() { program.boards.pressHomeInput(6); }
    void commandThree() { NetCommands::run(windows.control(), 3); }
    void homeActNow() { program.control.ghostActNow({ActTrigger::Source::HomeAutomation}); }
    void soundWindowAct() {
        windows.fmSound->findChild<QPushButton*>(QStringLiteral("Button2"))->click();
    }
};

TEST(GhostActLog, EachActTellsTheGhostItsSoundAndWhatMadeItAct) {
    const QString acted = QStringLiteral("ghost 1 \"Anna\": postman, 4m.gsn #4, on the right, ");
    struct Case {
        bool running;
        qint32 regime;
        void (Home::*trigger)();
        QString line;
    };
    const Case cases[] = {
        {true, 1, &Home::waitRunsOut, acted + "triggered by the attraction"},
        {true, 1, &Home::ringDoorbell, acted + "triggered by sensor input 7 (board 3)"},
        {true, 1, &Home::homeDoorbell, acted + "triggered by sensor input 7 (home automation)"},
        {false, 1, &Home::commandThree, acted + "triggered by a network command"},
        {false, 1, &Home::homeActNow, acted + "triggered by the home automation"},
        {false, 1, &Home::soundWindowAct, acted + "triggered by the sound window"},
        {true, 2, &Home::waitRunsOut,
         "ghost 1 \"Anna\" skipped: working time Night (20:00 to 8:00), it is 14:05; triggered "
         "by the attraction"},
        {false, 1, &Home::ringDoorbell,
         "no ghost acted: the attraction is stopped; triggered by sensor input 7 (board 3)"},
        // Regime 0, "Never", switches the ghost off.
        {false, 0, &Home::commandThree,
         "no ghost acted: none is switched on; triggered by a network command"},
    };
    QLoggingCategory::setFilterRules(QStringLiteral("gloamery.ghosts.info=true"));
    for (const Case& c : cases) {
        Home h;
        h.ghost(1).Regime = c.regime;
        h.ghost(1).ON = c.regime != 0;
        if (c.running)
            h.windows.fmMain->Sb_Attraction_ShowClick();
        // The choice among one ghost, then a short sound, number 4, on the right.
        h.fakes.random.script({0, 1, 4, 2});
        const WarningRecorder log("gloamery.ghosts", QtInfoMsg);
        (h.*c.trigger)();
        // One line per act, nothing else.
        EXPECT_EQ(WarningRecorder::messages().join(QLatin1Char('\n')).toStdString(),
                  c.line.toStdString());
    }
    QLoggingCategory::setFilterRules({});
}

} // namespace
