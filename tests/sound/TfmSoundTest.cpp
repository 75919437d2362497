// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/TfmSound.h"

#include "FakeMixerDevice.h"
#include "core/CurrentAct.h"
#include "core/ProgramState.h"
#include "sound/SoundLibraryWriter.h"
#include "sound/SoundPlayer.h"
#include "support/FakePlatform.h"
#include "support/RecordingMessageBoxes.h"
#include "support/TempStore.h"
#include "support/WarningRecorder.h"
#include "support/WaveImage.h"

#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

const QString ProgramKey = QStringLiteral("SoftWare\\Brannoch\\Gloamery\\");

struct RecordingPlayer : SoundPlayer {
    bool play(const QByteArray& image, double amplitude) override {
        plays.push_back({image, amplitude});
        return true;
    }
    void stop() override { ++stops; }
    bool playing() const override { return sounding; }
    std::vector<std::pair<QByteArray, double>> plays;
    int stops = 0;
    bool sounding = false;
};

// Sound i of a library is a tone of its own, so a test can tell which one played.
QByteArray soundImage(int library, int i) {
    return sineWave(0.05, 200 + 40 * i + library);
}

void writeLibrary(const QString& path, int library, int count) {
    std::vector<SoundLibraryWriter::Sound> sounds;
    for (int i = 0; i < count; ++i)
        sounds.push_back({soundImage(library, i), "sound", static_cast<std::uint32_t>(i), true});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(SoundLibraryWriter::write(sounds));
}

struct SoundWindow {
    TempStore temp;
    QTemporaryDir folder;
    FakePlatform fakes;
    RecordingMessageBoxes messages;
    RecordingPlayer player;
    FakeMixerDevice mixer;
    ProgramState state;
    CurrentAct act;
    std::unique_ptr<TfmSound> window;

    SoundWindow() {
        writeLibrary(folder.filePath(QStringLiteral("0b.gsn")), 0, 10);
        writeLibrary(folder.filePath(QStringLiteral("0m.gsn")), 1, 10);
        writeLibrary(folder.filePath(QStringLiteral("3m.gsn")), 3, 9);
        QFile broken(folder.filePath(QStringLiteral("2b.gsn")));
        broken.open(QIODevice::WriteOnly);
        broken.write("definitely not a sound library");
    }
    TfmSound& make() {
        PlatformServices platform = fakes.services(&temp.store());
        platform.messages = &messages;
        platform.player = &player;
        platform.mixer = &mixer;
        window = std::make_unique<TfmSound>(state, platform, act, folder.path());
        return *window;
    }
    QString label(const char* name) const {
        return window->findChild<QLabel*>(QLatin1String(name))->text();
    }
};

TEST(TfmSound, OutOfRangeSpecialtyAndNumberAreCorrectedBeforeUse) {
    SoundWindow w;
    TfmSound& sound = w.make();
    w.act.Special = 7;
    w.act.SoundKind = 0;
    w.act.SoundNumber = 12;
    sound.LoadGhostLibrary();
    sound.PlayGhostSound();
    EXPECT_EQ(w.act.Special, 0);
    EXPECT_EQ(w.act.SoundNumber, 0);
    EXPECT_TRUE(w.label("Lbl1").endsWith(QStringLiteral("/0b.gsn")));
    EXPECT_EQ(w.label("Lbl2"), QStringLiteral("Звуков в Библе: 10"));
    EXPECT_EQ(w.label("Lbl4"), QStringLiteral("Номер звука: 0"));
    EXPECT_EQ(w.label("Lbl5"), QStringLiteral("Специальность: 0"));
    EXPECT_EQ(w.label("Lbl9"), QStringLiteral("Библа: ОК"));
    ASSERT_EQ(w.player.plays.size(), 1u);
    EXPECT_EQ(w.player.plays[0].first, soundImage(0, 0));
    EXPECT_EQ(w.player.plays[0].second, 1.0);
}

TEST(TfmSound, StatusLabelsDescribeTheAct) {
    struct Case {
        int kind;
        int effect;
        const char* kindText;
        const char* effectText;
    };
    const Case cases[] = {
        {0, 0, "Тип звука: Длинный", "Эффект: 0: L:50   R:50"},
        {1, 1, "Тип звука: Короткий", "Эффект: 1: L:50   R:0"},
        {5, 2, "Тип звука: Короткий", "Эффект: 2: L:0    R:50"},
        {0, 3, "Тип звука: Длинный", "Эффект звука: 0 (Нет)"},
        {0, 4, "Тип звука: Длинный", "Эффект звука: 0 (Нет)"},
    };
    for (const Case& c : cases) {
        SoundWindow w;
        TfmSound& sound = w.make();
        w.act.SoundKind = c.kind;
        w.act.StereoEffect = c.effect;
        w.act.SoundNumber = 4;
        sound.LoadGhostLibrary();
        EXPECT_EQ(w.label("Lbl3"), QString::fromUtf8(c.kindText));
        EXPECT_EQ(w.label("Lbl6"), QString::fromUtf8(c.effectText));
        EXPECT_EQ(w.label("Lbl4"), QStringLiteral("Номер звука: 4"));
        EXPECT_TRUE(w.label("Lbl1").endsWith(c.kind ? QStringLiteral("/0m.gsn")
                                                    : QStringLiteral("/0b.gsn")));
    }
}

TEST(TfmSound, OnlyALibraryOfExactlyTenSoundsPlaysButTheEffectRunsAnyway) {
    SoundWindow w;
    TfmSound& sound = w.make();
    w.act.Special = 3;
    w.act.SoundKind = 1;
    w.act.StereoEffect = 1;
    sound.LoadGhostLibrary();
    EXPECT_EQ(w.label("Lbl2"), QStringLiteral("Звуков в Библе: 9"));
    sound.PlayGhostSound();
    EXPECT_TRUE(w.player.plays.empty());
    EXPECT_TRUE(sound.effectTimer().isActive());
    sound.Timer_EffectTimer();
    EXPECT_EQ(w.label("Label1"), QStringLiteral("L: 32767 (max: 65535)"));
    EXPECT_EQ(w.label("Label2"), QStringLiteral("R: 0 (max: 65535)"));
    EXPECT_FALSE(sound.effectTimer().isActive());
    EXPECT_THAT(w.mixer.writes, testing::Contains(MixerDevice::State{32767, 0, true}));
}

TEST(TfmSound, AMissingLibraryKeepsTheSoundsLoadedBeforeABrokenOneIsReported) {
    SoundWindow w;
    TfmSound& sound = w.make();
    w.act.SoundNumber = 6;
    sound.LoadGhostLibrary(); // 0b: ten sounds
    w.act.Special = 5;        // no 5b.gsn here
    sound.LoadGhostLibrary();
    EXPECT_EQ(w.label("Lbl9"), QStringLiteral("Ошибка: Библы нет"));
    EXPECT_EQ(w.label("Lbl2"), QStringLiteral("Звуков в Библе: 10"));
    sound.PlayGhostSound();
    ASSERT_EQ(w.player.plays.size(), 1u);
    EXPECT_EQ(w.player.plays[0].first, soundImage(0, 6)) << "from the library loaded last";

    w.act.Special = 2;
    sound.LoadGhostLibrary();
    EXPECT_EQ(w.label("Lbl9"), QStringLiteral("Ошибка: Библа кривая"));
}

TEST(TfmSound, ASweepMovesTheMixerAndEndsSilent) {
    SoundWindow w;
    TfmSound& sound = w.make();
    w.act.StereoEffect = 3;
    sound.PlayGhostSound();
    for (int tick = 1; tick <= 75; ++tick)
        sound.Timer_EffectTimer();
    EXPECT_EQ(w.label("Label1"), QStringLiteral("L: 16384 (max: 65535)"));
    EXPECT_EQ(w.label("Label2"), QStringLiteral("R: 16384 (max: 65535)"));
    EXPECT_TRUE(sound.effectTimer().isActive());
    for (int tick = 76; tick <= 300; ++tick)
        sound.Timer_EffectTimer();
    EXPECT_EQ(w.label("Label1"), QStringLiteral("L: 0 (max: 65535)"));
    EXPECT_FALSE(sound.effectTimer().isActive());
    EXPECT_EQ(sound.Effect.SweepTick, 0);
}

TEST(TfmSound, MixerValuesAboveTheScaleAreClampedButShownAsComputed) {
    SoundWindow w;
    TfmSound& sound = w.make();
    sound.Value_Max = 40;
    sound.SetStereoLevels(50, 0);
    EXPECT_EQ(w.label("Label1"), QStringLiteral("L: 81919 (max: 65535)"));
    EXPECT_EQ(w.mixer.state.left, 65535);
}

TEST(TfmSound, ANewPlayDoesNotRestartARunningEffectTimer) {
    SoundWindow w;
    TfmSound& sound = w.make();
    w.act.StereoEffect = 4;
    sound.PlayGhostSound();
    QTest::qWait(60);
    const int before = sound.effectTimer().remainingTime();
    sound.PlayGhostSound();
    EXPECT_LE(sound.effectTimer().remainingTime(), before);
}

TEST(TfmSound, ValueMaxIsStoredAndShownAsTheMatchingChoice) {
    SoundWindow w;
    w.temp.store().openKey(ProgramKey, true)->writeInteger(QStringLiteral("Value_Max"), 80);
    TfmSound& sound = w.make();
    EXPECT_EQ(sound.Value_Max, 80);
    sound.show();
    const auto radio = [&](int n) {
        return sound.findChild<QRadioButton*>(QStringLiteral("RadioButton%1").arg(n));
    };
    EXPECT_TRUE(radio(2)->isChecked());
    EXPECT_FALSE(radio(1)->isChecked());
    radio(3)->click();
    EXPECT_EQ(sound.Value_Max, 60);
    sound.close();
    w.window.reset();
    EXPECT_EQ(w.temp.store().openKey(ProgramKey, false)->readInteger(QStringLiteral("Value_Max")),
              60);
}

TEST(TfmSound, AWrongTypedValueMaxIsReportedAndDefaults) {
    SoundWindow w;
    w.temp.store()
        .openKey(ProgramKey, true)
        ->writeString(QStringLiteral("Value_Max"), QStringLiteral("80"));
    EXPECT_EQ(w.make().Value_Max, 100);
    EXPECT_EQ(w.messages.errors, QStringList{QStringLiteral("Invalid data type for 'Value_Max'")});
}

TEST(TfmSound, ShowingTheWindowFreezesASweepAndMarksADialogOpen) {
    SoundWindow w;
    TfmSound& sound = w.make();
    w.act.StereoEffect = 4;
    sound.PlayGhostSound();
    for (int tick = 1; tick <= 60; ++tick)
        sound.Timer_EffectTimer();
    const QString left = w.label("Label1");
    sound.show();
    EXPECT_FALSE(sound.effectTimer().isActive());
    EXPECT_EQ(sound.Effect.SweepTick, 0);
    EXPECT_EQ(w.label("Label1"), left);
    EXPECT_EQ(sound.pos(), QPoint(0, 0));
    EXPECT_TRUE(w.state.DialogOpen);
    sound.close();
    EXPECT_FALSE(w.state.DialogOpen);
}

TEST(TfmSound, HalfAmplitudeReachesThePlayer) {
    SoundWindow w;
    TfmSound& sound = w.make();
    sound.LoadGhostLibrary();
    sound.PlayGhostSound(SoundAmplitude::Half);
    ASSERT_EQ(w.player.plays.size(), 1u);
    EXPECT_EQ(w.player.plays[0].second, 0.5);
}

TEST(TfmSound, ReloadingStopsThePlayerBeforeTheOldSoundsAreFreed) {
    SoundWindow w;
    TfmSound& sound = w.make();
    sound.LoadGhostLibrary();
    const int stopsBefore = w.player.stops;
    sound.LoadGhostLibrary();
    EXPECT_GT(w.player.stops, stopsBefore);
}

// The user's levels kept in the store, in name order; empty when none are.
QString keptLevels(const TempStore& temp) {
    return temp.querySingle("SELECT group_concat(data, ' ') FROM (SELECT data FROM settings "
                            "WHERE name LIKE 'Mixer_User_%' ORDER BY name)");
}

using Line = MixerDevice::State;
const Line UsersLevels = FakeMixerDevice().state;

TEST(TfmSound, TheUsersLevelsComeBackWhenTheEffectIsOverAndItsSoundHasEnded) {
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
        SoundWindow w;
        if (c.storeRefuses)
            w.temp.execSql("CREATE TRIGGER refuse BEFORE INSERT ON key_values WHEN NEW.name LIKE "
                           "'Mixer%' BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        TfmSound& sound = w.make();
        const WarningRecorder warnings("gloamery.sound");
        for (const auto& [effect, ticks] : c.effects) {
            w.act.StereoEffect = effect;
            sound.PlayGhostSound();
            w.player.sounding = c.heard;
            for (int tick = 0; tick < ticks; ++tick)
                sound.Timer_EffectTimer();
        }
        EXPECT_EQ(w.mixer.state, c.held);
        EXPECT_EQ(keptLevels(w.temp), c.heard && !c.storeRefuses ? "20000 30000 0" : "");
        EXPECT_EQ(warnings.messages().size(), c.storeRefuses ? 1 : 0);

        if (c.userTurns)
            w.mixer.changeByAnotherProgram(*c.userTurns);
        w.player.sounding = false;
        EXPECT_TRUE(QTest::qWaitFor([&] { return !sound.waitingForQuiet(); }, 5000));
        EXPECT_EQ(w.mixer.state, c.userTurns.value_or(UsersLevels));
        EXPECT_EQ(keptLevels(w.temp), "");
    }
}

TEST(TfmSound, AStartGivesBackTheLevelsARunLeftRecorded) {
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
        SoundWindow w;
        MixerLevelsRecord(&w.temp.store(), nullptr).save({c.left, 30000, false});
        if (c.leftAsText)
            w.temp.store()
                .openKey(ProgramKey, true)
                ->writeString(MixerLevelsRecord::LeftName, QStringLiteral("1"));
        w.mixer.changeByAnotherProgram(leftByTheRun);
        if (!c.mixer)
            w.mixer.range.reset();
        w.make();
        EXPECT_EQ(w.mixer.state, c.after);
        EXPECT_EQ(keptLevels(w.temp), QLatin1String(c.keptAfter));
        EXPECT_EQ(w.messages.errors,
                  c.leftAsText
                      ? QStringList{QStringLiteral("Invalid data type for 'Mixer_User_Left'")}
                      : QStringList{});
    }
}

} // namespace
