// SPDX-License-Identifier: GPL-3.0-or-later
#include "ghosts/GhostActor.h"

#include "core/CurrentAct.h"
#include "ghosts/GhostTable.h"
#include "support/FixedClock.h"
#include "support/RecordingSoundOutput.h"
#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>

namespace {

struct Act {
    GhostTable table;
    CurrentAct act;
    ScriptedRandom random;
    FixedClock clock;
    RecordingSoundOutput output;

    explicit Act(std::initializer_list<int> ghostsOn, int regime = 1) {
        for (int n : ghostsOn) {
            table[n].ON = true;
            table[n].Regime = regime;
        }
    }
    // Draws start, kind, number and effect (and any extra ones the act asks for).
    void run(std::deque<int> draws) {
        random.script(std::move(draws));
        GhostActor(table, act, random, clock, &output).GhostAct({});
    }
};

TEST(GhostAct, EverySwitchedOnGhostCanBeChosen) {
    struct Case {
        std::initializer_list<int> on;
        int startIndex;
        int chosen;
    };
    const Case cases[] = {
        {{8}, 1, 8},    {{7, 8}, 1, 7}, {{7, 8}, 2, 8}, {{2, 5}, 1, 2},
        {{2, 5}, 2, 5}, {{1, 8}, 1, 1}, {{1, 8}, 2, 8}, {{1, 3, 4, 6}, 3, 4},
    };
    for (const Case& c : cases) {
        Act a(c.on);
        a.run({c.startIndex - 1, 0, 0, 0});
        EXPECT_EQ(a.act.ActiveCount, static_cast<int>(c.on.size()));
        EXPECT_EQ(a.act.StartIndex, c.startIndex);
        EXPECT_EQ(a.act.GhostNumber, c.chosen) << "start " << c.startIndex;
    }
    for (int start = 1; start <= 8; ++start) {
        Act all({1, 2, 3, 4, 5, 6, 7, 8});
        all.run({start - 1, 0, 0, 0});
        EXPECT_EQ(all.act.GhostNumber, start);
    }
}

TEST(GhostAct, DrawsStartKindNumberAndEffectInThatOrderAfterReseeding) {
    Act a({2, 3, 6});
    a.table[3].Special = 4;
    a.table[3].Regime_Dop_1 = 21;
    a.table[3].Regime_Dop_1a = 5;
    a.table[3].Nrav_1 = 5;
    a.table[3].Nrav_2 = 0;
    a.table[3].Nrav_3 = 1;
    a.table[3].Nrav_4 = 0;
    a.run({1, 1, 7, 2});
    EXPECT_EQ(a.random.reseeds, 1);
    EXPECT_EQ(a.random.asked, (std::vector<int>{3, 2, 10, 3}));
    CurrentAct expected;
    expected.ActiveCount = 3;
    expected.StartIndex = 2;
    expected.GhostNumber = 3;
    expected.Special = 4;
    expected.Regime = 1;
    expected.Regime_Dop_1 = 21;
    expected.Regime_Dop_1a = 5;
    expected.Nrav_1 = 5;
    expected.Nrav_2 = 0;
    expected.Nrav_3 = 1;
    expected.Nrav_4 = 0;
    expected.SoundKind = 1;
    expected.SoundNumber = 7;
    expected.StereoEffect = 2;
    EXPECT_EQ(a.act, expected);
    EXPECT_EQ(a.output.played,
              (std::vector<SoundChoice>{{4, 1, 7, 2, SoundAmplitude::Full, true}}));
}

TEST(GhostAct, TheActRecordsTheSpecialtyAndNumberAsPlayed) {
    struct Case {
        qint32 special;           // the ghost's
        std::optional<int> heard; // the specialty and number played; none: as asked
        qint32 recordedSpecial;
        qint32 recordedNumber;
    };
    const Case cases[] = {{7, 0, 0, 0}, {3, {}, 3, 6}, {2, 4, 4, 4}};
    for (const Case& c : cases) {
        Act a({1});
        a.table[1].Special = c.special;
        if (c.heard)
            a.output.answer = SoundChoice{*c.heard, 1, *c.heard, 2};
        a.run({0, 1, 6, 2});
        EXPECT_EQ(a.act.Special, c.recordedSpecial) << c.special;
        EXPECT_EQ(a.act.SoundNumber, c.recordedNumber) << c.special;
        EXPECT_EQ(a.act.StereoEffect, 2);
    }
}

TEST(GhostAct, WithNoGhostOnNothingIsDrawnAndTheOldEffectStays) {
    Act a({});
    a.act.StereoEffect = 4; // left by a test play
    a.act.GhostNumber = 5;
    a.act.SoundNumber = 9;
    a.act.Regime_Dop_1 = 7;
    a.run({});
    EXPECT_EQ(a.act.ActiveCount, 0);
    EXPECT_EQ(a.act.GhostNumber, 0);
    EXPECT_EQ(a.act.SoundNumber, 0);
    EXPECT_EQ(a.act.StereoEffect, 4);
    EXPECT_EQ(a.act.Regime_Dop_1, 7);
    EXPECT_EQ(a.random.reseeds, 0);
    EXPECT_TRUE(a.output.calls.empty());
}

TEST(GhostAct, TheRegimeDecidesByTheHourReadOnce) {
    struct Case {
        int regime;
        int from;
        int to;
        QTime time;
        bool sounds;
    };
    const Case cases[] = {
        {0, 0, 0, QTime(12, 0), false},  {1, 0, 0, QTime(3, 0), true},
        {9, 0, 0, QTime(12, 0), false},  {-1, 0, 0, QTime(12, 0), false},
        {3, 0, 0, QTime(8, 0), true},    {3, 0, 0, QTime(19, 59), true},
        {3, 0, 0, QTime(7, 59), false},  {3, 0, 0, QTime(20, 0), false},
        {2, 0, 0, QTime(20, 0), true},   {2, 0, 0, QTime(0, 0), true},
        {2, 0, 0, QTime(7, 59), true},   {2, 0, 0, QTime(8, 0), false},
        {2, 0, 0, QTime(19, 59), false}, {4, 8, 17, QTime(8, 0), true},
        {4, 8, 17, QTime(16, 59), true}, {4, 8, 17, QTime(17, 0), false},
        {4, 8, 17, QTime(7, 59), false}, {4, 22, 6, QTime(22, 0), true},
        {4, 22, 6, QTime(2, 30), true},  {4, 22, 6, QTime(6, 0), false},
        {4, 22, 6, QTime(12, 0), false}, {4, 0, 0, QTime(13, 0), true},
        {4, 15, 15, QTime(3, 0), true},  {4, 24, 5, QTime(0, 0), true},
        {4, 24, 5, QTime(5, 0), false},  {4, -1, 3, QTime(23, 0), true},
        {4, -1, 3, QTime(22, 0), false},
    };
    for (const Case& c : cases) {
        Act a({4}, c.regime);
        a.table[4].Regime_Dop_1 = c.from;
        a.table[4].Regime_Dop_1a = c.to;
        a.clock.setTime(c.time);
        a.run({0, 0, 0, 0});
        EXPECT_EQ(!a.output.calls.empty(), c.sounds)
            << "regime " << c.regime << " " << c.from << "-" << c.to << " at "
            << c.time.toString().toStdString();
        EXPECT_EQ(a.act.GhostNumber, 4);
    }
}

TEST(GhostAct, RandomlySoundsAtOneActInTwoByAFifthDraw) {
    for (int fifth : {0, 1}) {
        Act a({6}, 5);
        a.run({0, 1, 3, 0, fifth});
        EXPECT_EQ(a.random.asked, (std::vector<int>{1, 2, 10, 3, 2}));
        EXPECT_EQ(!a.output.calls.empty(), fifth == 0);
    }
    Act other({6}, 1);
    other.run({0, 1, 3, 0});
    EXPECT_EQ(other.random.asked.size(), 4u) << "no fifth draw for other regimes";
}

TEST(GhostAct, AChosenGhostWithoutSoundKeepsTheActSilent) {
    Act a({1, 2});
    a.table[1].Regime = 0; // on, yet never sounds (the dialog allows it)
    a.run({0, 0, 0, 1});
    EXPECT_EQ(a.act.GhostNumber, 1);
    EXPECT_TRUE(a.output.calls.empty());
}

TEST(GhostAct, ALowVoicePlaysAtHalfAmplitude) {
    const std::pair<int, const char*> cases[] = {
        {0, "play half"}, {1, "play full"}, {3, "play full"}};
    for (const auto& [volume, call] : cases) {
        Act a({5});
        a.table[5].Nrav_3 = volume;
        a.run({0, 0, 0, 0});
        ASSERT_EQ(a.output.calls.size(), 1u);
        EXPECT_EQ(a.output.calls[0], call);
    }
}

} // namespace
