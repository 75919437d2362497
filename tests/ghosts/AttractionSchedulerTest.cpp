// SPDX-License-Identifier: GPL-3.0-or-later
#include "ghosts/AttractionScheduler.h"

#include "core/AttractionOptions.h"
#include "core/CurrentAct.h"
#include "core/ProgramState.h"
#include "support/RecordingSoundOutput.h"
#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The scheduler with its main-window side recorded: every timer switch, display, act and sound.
struct Attraction {
    ProgramState state;
    AttractionOptions options;
    ScriptedRandom random;
    std::vector<std::string> events;
    int acts = 0;
    AttractionScheduler scheduler{
        state, random,
        AttractionScheduler::Actions{[this](bool on) { record(on ? "timer on" : "timer off"); },
                                     [this](bool run) { record(run ? "running" : "stopped"); },
                                     [this] {
                                         ++acts;
                                         record("act");
                                     },
                                     [this] { record("final sound"); },
                                     [this] {
                                         record("door");
                                     }}};

    Attraction() { scheduler.setOptions(&options); }
    void record(const char* what) { events.emplace_back(what); }
    // Each wait drawn is 300 + draw.
    void waits(std::deque<int> draws) { random.script(std::move(draws)); }
    void ticks(int count) {
        for (int i = 0; i < count; ++i)
            scheduler.Timer_GhostTimer();
    }
};

TEST(AttractionScheduler, ARestartGoesOnTowardsTheWaitDrawnBefore) {
    Attraction a;
    a.waits({100}); // ActWait 400
    a.scheduler.Sb_Attraction_ShowClick();
    a.ticks(100);
    EXPECT_EQ(a.scheduler.ActWait, 400);
    a.scheduler.Sb_Attraction_ShowClick();
    EXPECT_FALSE(a.state.AttractionRunning);
    a.scheduler.Sb_Attraction_ShowClick();
    a.ticks(299);
    EXPECT_EQ(a.acts, 0);
    a.waits({0});
    a.ticks(1);
    EXPECT_EQ(a.acts, 1) << "the act comes 300 ticks after the restart";
    EXPECT_EQ(a.scheduler.ActTick, 0);
    EXPECT_EQ(a.events, (std::vector<std::string>{"timer on", "running", "timer off", "stopped",
                                                  "timer on", "running", "act"}));
}

TEST(AttractionScheduler, DrawsAWaitOnlyWhereActTickBecomesOneAndActsWhereItEqualsTheWait) {
    Attraction a;
    a.waits({0, 899, 5});
    a.scheduler.Sb_Attraction_ShowClick();
    struct Step {
        int ticks;
        size_t drawsSoFar;
        int actsSoFar;
    };
    const Step steps[] = {
        {1, 1, 0}, {298, 1, 0},  {1, 1, 1}, // wait 300: act on its 300th tick
        {1, 2, 1}, {1197, 2, 1}, {1, 2, 2}, // wait 1199
        {1, 3, 2}, {303, 3, 2},  {1, 3, 3}, // wait 305
    };
    int total = 0;
    for (const Step& s : steps) {
        a.ticks(s.ticks);
        total += s.ticks;
        EXPECT_EQ(a.random.asked.size(), s.drawsSoFar) << "after " << total << " ticks";
        EXPECT_EQ(a.acts, s.actsSoFar) << "after " << total << " ticks";
    }
    EXPECT_EQ(a.random.asked, (std::vector<int>{900, 900, 900}));
    EXPECT_EQ(a.random.reseeds, total) << "re-seeded on every tick";
}

TEST(AttractionScheduler, TheDurationEndsTheAttractionAtItsLimitCountedFromTheStart) {
    struct Case {
        qint32 position;
        int limit; // 0: none within 5000 ticks
    };
    const Case cases[] = {{0, 900}, {1, 1800}, {2, 3600}, {3, 0}, {4, 0}, {-1, 0}, {77, 0}};
    for (const Case& c : cases) {
        Attraction a;
        a.options.Attraction_Time = c.position;
        a.waits(std::deque<int>(20, 0));
        // A first run that was stopped by the user must not count towards the next one.
        a.scheduler.Sb_Attraction_ShowClick();
        a.ticks(250);
        a.scheduler.Sb_Attraction_ShowClick();
        a.scheduler.Sb_Attraction_ShowClick();
        const int run = c.limit ? c.limit - 1 : 5000;
        a.ticks(run);
        EXPECT_TRUE(a.state.AttractionRunning) << "position " << c.position;
        if (!c.limit)
            continue;
        a.ticks(1);
        EXPECT_FALSE(a.state.AttractionRunning) << "position " << c.position;
        EXPECT_EQ(a.scheduler.LimitTick, c.limit);
        EXPECT_EQ(a.events.back(), "stopped");
        EXPECT_EQ(a.events[a.events.size() - 2], "timer off");
    }
}

TEST(AttractionScheduler, TheEndOptionsFollowOnlyAStopByTheLimitWhenTicked) {
    struct Case {
        bool finalSound;
        bool door;
        bool byButton;
        std::vector<std::string> afterStop;
    };
    const Case cases[] = {
        {true, false, false, {"final sound"}},
        {false, true, false, {"door"}},
        {true, true, false, {"final sound", "door"}}, // the door opens after the sound starts
        {false, false, false, {}},
        {true, true, true, {}},
        {false, true, true, {}},
    };
    for (const Case& c : cases) {
        Attraction a;
        a.options.Attraction_Time = 0;
        a.options.Attraction_Over_2 = c.finalSound;
        a.options.Attraction_Over_1 = c.door;
        a.waits({0, 0, 0, 0});
        a.scheduler.Sb_Attraction_ShowClick();
        a.ticks(c.byButton ? 500 : 900);
        if (c.byButton)
            a.scheduler.Sb_Attraction_ShowClick();
        a.ticks(100); // ticks delivered after the stop open nothing either
        EXPECT_FALSE(a.state.AttractionRunning);
        const auto stopped = std::find(a.events.begin(), a.events.end(), "stopped");
        ASSERT_NE(stopped, a.events.end());
        const std::vector<std::string> afterStop(stopped + 1, a.events.end());
        EXPECT_EQ(afterStop, c.afterStop) << c.finalSound << c.door << c.byButton;
    }
}

TEST(AttractionScheduler, TicksLeftCountDownToTheLimitAndAreUnboundedWithoutOne) {
    Attraction a;
    a.options.Attraction_Time = 1;
    a.waits({0, 0, 0, 0, 0, 0, 0});
    a.scheduler.Sb_Attraction_ShowClick();
    EXPECT_EQ(a.scheduler.ticksLeft(), 1800);
    a.ticks(1799);
    EXPECT_EQ(a.scheduler.ticksLeft(), 1);
    for (const qint32 position : {3, 4, -1}) {
        a.options.Attraction_Time = position;
        EXPECT_EQ(a.scheduler.ticksLeft(), -1) << position;
    }
}

TEST(AttractionScheduler, NothingActsOrCountsWhileStopped) {
    Attraction a;
    a.ticks(2000);
    EXPECT_EQ(a.acts, 0);
    EXPECT_TRUE(a.random.asked.empty());
    a.waits({0});
    a.scheduler.Sb_Attraction_ShowClick();
    a.ticks(10);
    a.scheduler.Sb_Attraction_ShowClick();
    a.ticks(2000); // ticks delivered after the stop
    EXPECT_EQ(a.acts, 0);
    EXPECT_EQ(a.scheduler.ActTick, 10);
    EXPECT_EQ(a.scheduler.LimitTick, 10);
}

TEST(AttractionScheduler, WithoutOptionsItRunsUntilStopped) {
    ProgramState state;
    ScriptedRandom random(std::deque<int>(20, 0));
    AttractionScheduler scheduler(state, random, {});
    scheduler.Sb_Attraction_ShowClick();
    for (int i = 0; i < 4000; ++i)
        scheduler.Timer_GhostTimer();
    EXPECT_TRUE(state.AttractionRunning);
}

TEST(AttractionScheduler, TheFinalSoundIsTheFirstLongDoormanSoundInTheMiddle) {
    CurrentAct act;
    act.GhostNumber = 6;
    act.Special = 4;
    act.SoundKind = 1;
    act.SoundNumber = 7;
    act.StereoEffect = 3;
    act.Regime = 2;
    CurrentAct expected = act;
    expected.Special = expected.SoundKind = expected.SoundNumber = expected.StereoEffect = 0;
    RecordingSoundOutput output;
    AttractionScheduler::PlayFinalSound(act, output);
    EXPECT_EQ(act, expected);
    EXPECT_EQ(output.played, (std::vector<SoundChoice>{{0, 0, 0, 0, SoundAmplitude::Full}}));
}

} // namespace
