// SPDX-License-Identifier: GPL-3.0-or-later
// The stereo effects, the mixer levels and the stage's stored value.
#include "StageFixture.h"
#include "support/WarningRecorder.h"

#include <QSignalSpy>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using namespace stagetest;

TEST(SoundStage, EffectsZeroToTwoTakeHoldOnTheFirstTickAndStop) {
    struct Case {
        int effect;
        MixerDevice::State line;
    };
    const Case cases[] = {{0, {32767, 32767, true}}, {1, {32767, 0, true}}, {2, {0, 32767, true}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.effect);
        Stage s;
        SoundStage& stage = s.make();
        s.player.sounding = true;
        s.play(choice(1, 0, 0, c.effect));
        EXPECT_TRUE(s.mixer.writes.empty()) << "the first 100 ms keep the levels there were";
        EXPECT_EQ(stage.effectTimer().interval(), 100);
        EXPECT_TRUE(stage.effectTimer().isActive());
        stage.Timer_EffectTimer();
        EXPECT_EQ(s.mixer.state, c.line);
        EXPECT_FALSE(stage.effectTimer().isActive());
    }
}

TEST(SoundStage, ASweepMovesTheMixerAndEndsSilent) {
    Stage s;
    SoundStage& stage = s.make();
    QSignalSpy levels(&stage, &SoundStage::levelsSet);
    s.play(choice(0, 0, 0, 3));
    for (int tick = 1; tick <= 75; ++tick)
        stage.Timer_EffectTimer();
    EXPECT_EQ(levels.last(), (QVariantList{16384, 16384}));
    EXPECT_TRUE(stage.effectTimer().isActive());
    for (int tick = 76; tick <= 300; ++tick)
        stage.Timer_EffectTimer();
    EXPECT_EQ(levels.last(), (QVariantList{0, 0}));
    EXPECT_FALSE(stage.effectTimer().isActive());
    EXPECT_EQ(stage.Effect.SweepTick, 0);
}

TEST(SoundStage, MixerValuesAboveTheScaleAreClampedButReportedAsComputed) {
    Stage s;
    SoundStage& stage = s.make();
    QSignalSpy levels(&stage, &SoundStage::levelsSet);
    stage.Value_Max = 40;
    stage.SetStereoLevels(50, 0);
    EXPECT_EQ(levels.last(), (QVariantList{81919, 0}));
    EXPECT_EQ(s.mixer.state.left, 65535);
}

TEST(SoundStage, PlaysComingFasterThanTheEffectTicksDoNotHoldItBack) {
    Stage s;
    SoundStage& stage = s.make();
    for (int play = 0; play < 6; ++play) {
        s.play(choice(0, 1, play, 4));
        QTest::qWait(50);
    }
    // A play that restarted the running timer would leave it no 100 ms to tick in.
    EXPECT_GT(stage.Effect.SweepTick, 0);
}

TEST(SoundStage, ValueMaxIsReadAndSavedOnlyOnceLoaded) {
    struct Case {
        bool load;
        qint32 read;
        qint32 stored;
    };
    for (const Case& c : {Case{true, 80, 60}, Case{false, 100, 80}}) {
        SCOPED_TRACE(c.load);
        Stage s;
        s.temp.store().openKey(ProgramKey, true)->writeInteger(QStringLiteral("Value_Max"), 80);
        EXPECT_EQ(s.make(BuiltLibraries, c.load).Value_Max, c.read);
        s.stage->Value_Max = 60;
        s.stage.reset();
        EXPECT_EQ(
            s.temp.store().openKey(ProgramKey, false)->readInteger(QStringLiteral("Value_Max")),
            c.stored);
    }
}

TEST(SoundStage, AWrongTypedValueMaxIsReportedAndDefaults) {
    Stage s;
    s.temp.store()
        .openKey(ProgramKey, true)
        ->writeString(QStringLiteral("Value_Max"), QStringLiteral("80"));
    EXPECT_EQ(s.make().Value_Max, 100);
    EXPECT_EQ(s.messages.errors, QStringList{QStringLiteral("Invalid data type for 'Value_Max'")});
}

// The user's levels kept in the store, in name order; empty when none are.
QString keptLevels(const TempStore& temp) {
    return temp.querySingle("SELECT group_concat(data, ' ') FROM (SELECT data FROM settings "
                            "WHERE name LIKE 'Mixer_User_%' ORDER BY name)");
}

using Line = MixerDevice::State;
const Line UsersLevels = FakeMixerDevice().state;

TEST(SoundStage, TheUsersLevelsComeBackWhenTheEffectIsOverAndItsSoundHasEnded) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> effects; // (effect, ticks) of each sound, in turn
        bool heard;                               // the last sound plays on after its effect
        bool storeRefuses;
        Line held; // until the sound ends
        std::optional<Line> userTurns;
    };
    const Case cases[] = {
        {"left", {{1, 1}}, true, false, {32767, 0, true}, {}},
        {"a sweep ending in silence", {{3, 300}}, true, false, {0, 0, true}, {}},
        {"a sound cutting off a sweep", {{4, 60}, {2, 1}}, true, false, {0, 32767, true}, {}},
        {"user turns it", {{0, 1}}, true, false, {32767, 32767, true}, Line{5000, 6000, true}},
        {"a store that refuses", {{1, 1}}, true, true, {32767, 0, true}, {}},
        {"nothing heard", {{2, 1}}, false, false, UsersLevels, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Stage s;
        if (c.storeRefuses)
            s.temp.execSql("CREATE TRIGGER refuse BEFORE INSERT ON key_values WHEN NEW.name LIKE "
                           "'Mixer%' BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        SoundStage& stage = s.make();
        const WarningRecorder warnings("gloamery.sound");
        for (const auto& [effect, ticks] : c.effects) {
            s.play(choice(0, 1, 0, effect));
            s.player.sounding = c.heard;
            for (int tick = 0; tick < ticks; ++tick)
                stage.Timer_EffectTimer();
        }
        EXPECT_EQ(s.mixer.state, c.held);
        EXPECT_EQ(keptLevels(s.temp), c.heard && !c.storeRefuses ? "20000 30000 0" : "");
        EXPECT_EQ(warnings.messages().size(), c.storeRefuses ? 1 : 0);

        if (c.userTurns)
            s.mixer.changeByAnotherProgram(*c.userTurns);
        s.player.sounding = false;
        EXPECT_TRUE(QTest::qWaitFor([&] { return !stage.waitingForQuiet(); }, 5000));
        EXPECT_EQ(s.mixer.state, c.userTurns.value_or(UsersLevels));
        EXPECT_EQ(keptLevels(s.temp), "");
    }
}

TEST(SoundStage, LoadingGivesBackTheLevelsARunLeftRecorded) {
    const Line leftByTheRun{32767, 0, true};
    struct Case {
        const char* name;
        int left;
        bool leftAsText;
        bool mixer;
        Line after;
        const char* keptAfter;
    };
    const Case cases[] = {
        {"killed mid-sound", 20000, false, true, UsersLevels, ""},
        {"no mixer now: kept for later", 20000, false, false, leftByTheRun, "20000 30000 0"},
        {"another card's range", 70000, false, true, {65535, 30000, false}, ""},
        {"unreadable: reported and dropped", 20000, true, true, leftByTheRun, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Stage s;
        MixerLevelsRecord(&s.temp.store(), nullptr).save({c.left, 30000, false});
        if (c.leftAsText)
            s.temp.store()
                .openKey(ProgramKey, true)
                ->writeString(MixerLevelsRecord::LeftName, QStringLiteral("1"));
        s.mixer.changeByAnotherProgram(leftByTheRun);
        if (!c.mixer)
            s.mixer.range.reset();
        s.make(BuiltLibraries, false);
        EXPECT_EQ(s.mixer.state, leftByTheRun) << "nothing given back before loading";
        s.stage->loadSettings();
        EXPECT_EQ(s.mixer.state, c.after);
        EXPECT_EQ(keptLevels(s.temp), QLatin1String(c.keptAfter));
        EXPECT_EQ(s.messages.errors,
                  c.leftAsText
                      ? QStringList{QStringLiteral("Invalid data type for 'Mixer_User_Left'")}
                      : QStringList{});
    }
}

} // namespace
