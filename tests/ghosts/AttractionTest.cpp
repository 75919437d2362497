// SPDX-License-Identifier: GPL-3.0-or-later
#include "ghosts/Attraction.h"

#include "core/ProgramState.h"
#include "ghosts/Ghosts.h"
#include "support/CorePlatform.h"
#include "support/RecordingSoundOutput.h"
#include "support/TempStore.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

// The attraction over ghosts that record their sounds, with the door counted.
struct Evening {
    TempStore temp;
    CorePlatform fakes;
    ProgramState state;
    RecordingSoundOutput sound;
    int doorsOpened = 0;
    bool hasBoard = true;
    Ghosts ghosts{state, fakes.services(&temp.store()), &sound};
    Attraction attraction{state, fakes.services(&temp.store()), ghosts, [this] {
                              ++doorsOpened;
                              return hasBoard;
                          }};
};

TEST(Attraction, TheStartButtonRunsTheSecondTickAndTellsTheWindows) {
    Evening e;
    QSignalSpy shown(&e.attraction, &Attraction::runningChanged);
    EXPECT_EQ(e.attraction.timer().interval(), 1000);
    for (const bool running : {true, false, true}) {
        e.attraction.toggle();
        EXPECT_EQ(e.attraction.running(), running);
        EXPECT_EQ(e.state.AttractionRunning, running);
        EXPECT_EQ(e.attraction.timer().isActive(), running);
        ASSERT_FALSE(shown.isEmpty());
        EXPECT_EQ(shown.takeLast().at(0).toBool(), running);
    }
}

TEST(Attraction, ItsWaitEndsInAnActOfTheGhostsAndItsDurationInWhatTheOptionsAsk) {
    struct Case {
        const char* name;
        bool openDoor;
        bool finalSound;
        int doors;
        std::vector<std::string> sounds;
    };
    const Case cases[] = {
        {"nothing at the end", false, false, 0, {}},
        {"the door", true, false, 1, {}},
        {"the final sound", false, true, 0, {"play full"}},
        {"both", true, true, 1, {"play full"}},
    };
    for (const Case& c : cases) {
        Evening e;
        e.ghosts.table()[3].ON = true;
        e.attraction.options() = {0, c.openDoor, c.finalSound}; // 15 minutes
        e.fakes.random.script({0, 0, 0, 0, 0, 899});
        e.attraction.toggle();
        for (int tick = 0; tick < 300; ++tick)
            e.attraction.Timer_GhostTimer();
        EXPECT_EQ(e.ghosts.currentAct().GhostNumber, 3) << c.name << ": the wait of 300 s";
        e.sound.calls.clear();
        for (int tick = 300; tick < 900; ++tick)
            e.attraction.Timer_GhostTimer();
        EXPECT_FALSE(e.attraction.running()) << c.name;
        EXPECT_FALSE(e.attraction.timer().isActive()) << c.name;
        EXPECT_EQ(e.doorsOpened, c.doors) << c.name;
        EXPECT_EQ(e.sound.calls, c.sounds) << c.name;
    }
}

TEST(Attraction, KeepsItsOptionsInTheStoreOnlyOnceTheyWereLoaded) {
    TempStore temp;
    CorePlatform fakes;
    ProgramState state;
    const PlatformServices platform = fakes.services(&temp.store());
    Ghosts ghosts(state, platform, nullptr);
    {
        Attraction attraction(state, platform, ghosts, {});
        attraction.loadSettings();
        EXPECT_EQ(attraction.options().Attraction_Time, 3) << "no limit at a first start";
        attraction.options() = {1, true, false};
    }
    {
        Attraction unloaded(state, platform, ghosts, {});
        unloaded.options() = {2, false, true};
    }
    Attraction again(state, platform, ghosts, {});
    again.loadSettings();
    EXPECT_EQ(again.options().Attraction_Time, 1);
    EXPECT_TRUE(again.options().Attraction_Over_1);
    EXPECT_FALSE(again.options().Attraction_Over_2);
}

} // namespace
