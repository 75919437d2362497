// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SoundStage.h"

#include "DiskAudio.h"
#include "StageFixture.h"
#include "core/CurrentAct.h"
#include "ghosts/GhostActor.h"
#include "ghosts/GhostTable.h"
#include "sound/SoundLibraryError.h"
#include "support/FixedClock.h"
#include "support/ScriptedRandom.h"

#include <QFile>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using namespace stagetest;

TEST(SoundStage, AChoiceOutsideTheLibrariesIsBroughtIntoRangeAtOnce) {
    struct Case {
        SoundChoice asked;
        qint32 special;
        qint32 number;
        const char* file;
        double amplitude;
    };
    const Case cases[] = {
        {choice(7, 0, 12), 0, 0, "0b.gsn", 1.0},
        {choice(-1, 1, -1), 0, 0, "0m.gsn", 1.0},
        {choice(6, 0, 10, 2, SoundAmplitude::Half), 0, 0, "0b.gsn", 0.5},
        {choice(5, 2, 9), 5, 9, "5m.gsn", 1.0},
        {choice(0, 0, 0, 4), 0, 0, "0b.gsn", 1.0},
        {choice(3, 1, 4, 1, SoundAmplitude::Half), 3, 4, "3m.gsn", 0.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Stage s;
        s.make();
        SoundChoice played;
        const SoundReport report = s.play(c.asked, &played);
        SoundChoice expected = c.asked;
        expected.Special = c.special;
        expected.SoundNumber = c.number;
        EXPECT_EQ(played, expected);
        EXPECT_EQ(report.choice, expected);
        const QString path = BuiltLibraries + QLatin1Char('/') + QLatin1String(c.file);
        EXPECT_EQ(report.path, path);
        EXPECT_TRUE(report.started);
        ASSERT_EQ(s.player.plays.size(), 1u);
        EXPECT_EQ(s.player.plays[0].first, soundOf(path, c.number));
        EXPECT_EQ(s.player.plays[0].second, c.amplitude);
    }
}

TEST(SoundStage, OnlyALibraryOfTenSoundsPlaysAndWhatCannotBeReadKeepsTheSoundsHeld) {
    using Library = SoundReport::Library;
    struct Case {
        const char* name;
        int before;  // the specialty played first, -1: none
        int special; // the test's folder: 0 ten sounds, 1 cut short, 2 no library, 3 missing,
                     // 4 nine sounds
        Library library;
        int count;  // -1: what the reader keeps of the cut library
        bool heard; // sound 4 of the folder's 0b.gsn
    };
    const Case cases[] = {
        {"ten sounds", -1, 0, Library::Loaded, 10, true},
        {"nine sounds", -1, 4, Library::Loaded, 9, false},
        {"missing, nothing held", -1, 3, Library::Missing, 0, false},
        {"missing: the sounds held play", 0, 3, Library::Missing, 10, true},
        {"no library: the sounds held play", 0, 2, Library::Corrupt, 10, true},
        {"cut short: what it held replaces them", 0, 1, Library::Corrupt, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Stage s;
        writeLibrary(s.own("0b.gsn"), 10);
        copyCut(BuiltLibraries + QStringLiteral("/1b.gsn"), s.own("1b.gsn"), 0.5);
        QFile garbage(s.own("2b.gsn"));
        ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
        garbage.write("definitely not a sound library");
        garbage.close();
        writeLibrary(s.own("4b.gsn"), 9);
        s.make(s.folder.path());
        if (c.before >= 0)
            s.play(choice(c.before, 0, 1));
        s.player.plays.clear();

        const SoundReport report = s.play(choice(c.special, 0, 4));
        EXPECT_EQ(report.library, c.library);
        int count = c.count;
        if (count < 0) {
            TLMDWaveList cut;
            EXPECT_THROW(cut.LoadSoundLibrary(s.own("1b.gsn")), SoundLibraryError);
            count = cut.count();
        }
        EXPECT_EQ(report.soundCount, count);
        EXPECT_EQ(report.started, c.heard);
        ASSERT_EQ(s.player.plays.size(), c.heard ? 1u : 0u);
        if (c.heard) {
            EXPECT_EQ(s.player.plays[0].first, soundOf(s.own("0b.gsn"), 4));
        }
        EXPECT_TRUE(s.stage->effectTimer().isActive()) << "the effect runs, heard or not";
    }
}

// The sounds window hears every sound of an own library, where an act's number stays in 0..9.
TEST(SoundStage, APreviewPlaysAnySoundOfTheLibraryAndWrapsPastItsEnd) {
    const struct {
        const char* name;
        int special;
        int number;
        bool preview;
        int heard;
        int effect;
    } cases[] = {
        {"own sound 12", 3, 12, true, 12, 2},
        {"past the own library's end", 3, 57, true, 57 % 14, 4},
        {"a shipped library wraps at ten", 2, 13, true, 3, 1},
        {"an act's number past nine plays sound 0", 3, 12, false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Stage s;
        writeLibrary(s.own("3m.gsn"), 14);
        const PlatformServices platform{.store = &s.temp.store(),
                                        .messages = &s.messages,
                                        .player = &s.player,
                                        .mixer = &s.mixer};
        s.stage = std::make_unique<SoundStage>(platform,
                                               SoundLibraryPlaces{BuiltLibraries, s.folder.path()});
        QSignalSpy reported(s.stage.get(), &SoundStage::reported);
        if (c.preview)
            s.stage->preview(c.special, 1, c.number, c.effect);
        else
            s.stage->play(choice(c.special, 1, c.number, c.effect));
        const SoundReport report = Stage::waitForReport(reported);
        EXPECT_EQ(report.choice.SoundNumber, c.heard);
        EXPECT_EQ(report.choice.StereoEffect, c.effect);
        ASSERT_EQ(s.player.plays.size(), 1u);
        const QString file = report.own ? s.own("3m.gsn") : BuiltLibraries + "/2m.gsn";
        EXPECT_EQ(s.player.plays[0].first, soundOf(file, c.heard));
    }
}

TEST(SoundStage, APlayWhileALibraryIsReadReplacesTheEarlierOne) {
    Stage s;
    SoundStage& stage = s.make();
    QSignalSpy reported(&stage, &SoundStage::reported);
    stage.play(choice(3, 0, 1));
    stage.play(choice(2, 1, 2));
    const SoundReport report = Stage::waitForReport(reported);
    EXPECT_TRUE(report.path.endsWith(QStringLiteral("/2m.gsn")));
    // The earlier choice's reading ended before the newer one began: it would have reported first.
    EXPECT_TRUE(reported.isEmpty());
    ASSERT_EQ(s.player.plays.size(), 1u);
    EXPECT_EQ(s.player.plays[0].first, soundOf(BuiltLibraries + QStringLiteral("/2m.gsn"), 2));
}

TEST(SoundStage, ALibraryIsReadAgainOnlyWhenItsFileChanged) {
    struct Case {
        const char* name;
        bool replaced;
        const char* heard; // the built library whose sound 2 plays second
        bool stopped;      // the player, as the sounds held were freed
    };
    const Case cases[] = {
        {"unchanged: the sounds held play", false, "0b.gsn", false},
        {"replaced on disk: read anew", true, "1b.gsn", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Stage s;
        ASSERT_TRUE(QFile::copy(BuiltLibraries + QStringLiteral("/0b.gsn"), s.own("0b.gsn")));
        s.make(s.folder.path());
        s.play(choice(0, 0, 2));
        if (c.replaced) {
            ASSERT_TRUE(QFile::remove(s.own("0b.gsn")));
            ASSERT_TRUE(QFile::copy(BuiltLibraries + QStringLiteral("/1b.gsn"), s.own("0b.gsn")));
        }
        const int stopsBefore = s.player.stops;
        s.play(choice(0, 0, 2));
        ASSERT_EQ(s.player.plays.size(), 2u);
        EXPECT_EQ(s.player.plays[1].first,
                  soundOf(BuiltLibraries + QLatin1Char('/') + QLatin1String(c.heard), 2));
        EXPECT_EQ(s.player.stops > stopsBefore, c.stopped);
    }
}

TEST(SoundStage, TheEventLoopRunsWhileALibraryIsDecoded) {
    Stage s;
    SoundStage& stage = s.make();
    int turns = 0;
    QTimer loop;
    QObject::connect(&loop, &QTimer::timeout, [&turns] { ++turns; });
    loop.start(0);
    QSignalSpy reported(&stage, &SoundStage::reported);
    int turnsAtReport = -1;
    QObject::connect(&stage, &SoundStage::reported, [&] { turnsAtReport = turns; });
    stage.play(choice(0, 0, 0)); // the largest library
    EXPECT_TRUE(reported.isEmpty()) << "reported before returning";
    Stage::waitForReport(reported);
    EXPECT_GT(turnsAtReport, 1) << "one turn may come before a report posted at once";
}

TEST(SoundStage, ThePlayerIsMadeReadyOffTheEventLoopOnceBeforeItsFirstSound) {
    Stage s;
    s.make();
    s.play(choice(4, 1, 0));
    s.play(choice(4, 0, 1));
    ASSERT_EQ(s.player.preparedOn.size(), 1u);
    EXPECT_NE(s.player.preparedOn[0], QThread::currentThread());
    EXPECT_EQ(s.player.callsBeforePrepared, 0);
    EXPECT_EQ(s.player.plays.size(), 2u);
}

TEST(SoundStage, ReadingTheLibraryAgainStopsThePlayerAndPlaysNothing) {
    Stage s;
    SoundStage& stage = s.make();
    s.play(choice(1, 1, 3));
    const int stopsBefore = s.player.stops;
    QSignalSpy reported(&stage, &SoundStage::reported);
    stage.reloadLibrary();
    const SoundReport report = Stage::waitForReport(reported);
    EXPECT_TRUE(report.path.endsWith(QStringLiteral("/1m.gsn")));
    EXPECT_EQ(report.library, SoundReport::Library::Loaded);
    EXPECT_FALSE(report.started);
    EXPECT_EQ(s.player.plays.size(), 1u);
    EXPECT_GT(s.player.stops, stopsBefore);
}

TEST(SoundStage, AGhostActWritesItsSoundToTheAudioOutput) {
    DiskAudio disk;
    {
        SdlSoundPlayer player;
        ASSERT_TRUE(player.available());
        SoundStage stage({.player = &player}, BuiltLibraries);
        GhostTable table;
        table[2] = GhostSettings{QStringLiteral("Doorman"), true, 1, 1, 1, 1, 1, 1};
        CurrentAct act;
        ScriptedRandom random;
        random.script({0, 0, 3, 0}); // ghost, long sound, sound 3, middle
        FixedClock clock;
        QSignalSpy reported(&stage, &SoundStage::reported);
        GhostActor(table, act, random, clock, &stage).GhostAct({});
        EXPECT_EQ(act.GhostNumber, 2);
        EXPECT_TRUE(Stage::waitForReport(reported).started);
        EXPECT_TRUE(waitUntilQuiet(player, 5000));
    }
    EXPECT_GT(disk.peak(), 1000);
}

} // namespace
