// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiskAudio.h"
#include "StageFixture.h"
#include "core/CurrentAct.h"
#include "ghosts/GhostActor.h"
#include "ghosts/GhostTable.h"
#include "sound/SoundImport.h"
#include "sound/SoundLibraryEdit.h"
#include "support/FixedClock.h"
#include "support/ScriptedRandom.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace stagetest;

// A stage over the build's shipped libraries and an own folder of the test's.
struct OwnStage : Stage {
    QString ownFolder = folder.filePath(QStringLiteral("own"));
    ScriptedRandom random;

    OwnStage() { QDir().mkpath(ownFolder); }
    SoundStage& makeOwn() {
        const PlatformServices platform{.store = &temp.store(),
                                        .messages = &messages,
                                        .random = &random,
                                        .player = &player,
                                        .mixer = &mixer};
        stage =
            std::make_unique<SoundStage>(platform, SoundLibraryPlaces{BuiltLibraries, ownFolder});
        return *stage;
    }
    QString ownPath(const char* name) const { return ownFolder + QLatin1Char('/') + name; }
};

SoundChoice drawn(qint32 special, qint32 kind, qint32 number) {
    SoundChoice c = choice(special, kind, number);
    c.drawn = true;
    return c;
}

TEST(OwnLibraries, AnOwnLibraryOfItsSizeReplacesTheShippedOne) {
    struct Case {
        const char* name;
        int ownSounds; // 0: no own file; -1: a file that is no library
        SoundChoice asked;
        std::deque<int> draws;
        bool own;
        int played; // -1: nothing starts
    };
    const Case cases[] = {
        {"NoOwnFile", 0, choice(2, 0, 3), {}, false, 3},
        {"OwnOfTenKeepsTheNumber", 10, drawn(2, 0, 3), {}, true, 3},
        {"AFixedNumberWrapsRoundASmallerLibrary", 3, choice(2, 0, 7), {}, true, 1},
        {"ADrawnNumberIsDrawnAgainAmongItsSounds", 3, drawn(2, 0, 7), {2}, true, 2},
        {"AHundredSoundsAllDrawable", 100, drawn(2, 0, 4), {57}, true, 57},
        {"OverAHundredIsNoPlayableLibrary", 101, drawn(2, 0, 4), {}, true, -1},
        {"ADamagedOwnFileFallsBackToTheShippedOne", -1, choice(2, 0, 3), {}, false, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OwnStage s;
        const QString own = s.ownPath("2b.gsn");
        if (c.ownSounds > 0)
            writeLibrary(own, c.ownSounds);
        if (c.ownSounds < 0) {
            QFile file(own);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("not a library");
        }
        s.random.script(c.draws);
        s.makeOwn();
        const SoundReport report = s.play(c.asked);
        EXPECT_EQ(report.own, c.own);
        EXPECT_EQ(report.path, c.own ? own : s.stage->libraryPath(c.asked));
        EXPECT_EQ(report.started, c.played >= 0);
        EXPECT_TRUE(s.random.allUsed());
        if (c.played < 0)
            continue;
        EXPECT_EQ(report.choice.SoundNumber, c.played);
        ASSERT_EQ(s.player.plays.size(), 1u);
        EXPECT_EQ(s.player.plays[0].first, soundOf(report.path, c.played));
    }
}

TEST(OwnLibraries, OnceReadAnActDrawsAmongItsSoundsAtOnceAndAChangeIsReadAnew) {
    OwnStage s;
    const QString own = s.ownPath("4m.gsn");
    writeLibrary(own, 25);
    s.random.script({20, 24});
    s.makeOwn();
    s.play(drawn(4, 1, 3));
    SoundChoice played;
    const SoundReport second = s.play(drawn(4, 1, 3), &played);
    // The act's record must name the sound heard, so the draw happens before the reading.
    EXPECT_EQ(played.SoundNumber, 24);
    EXPECT_EQ(second.choice.SoundNumber, 24);
    EXPECT_EQ(s.random.asked, (std::vector<int>{25, 25}));

    // Rewritten smaller: the stage is told and draws among the new count at once.
    writeLibrary(own, 2);
    s.stage->libraryChanged(4, 1, 2);
    s.random.script({1});
    const SoundReport third = s.play(drawn(4, 1, 3), &played);
    EXPECT_EQ(played.SoundNumber, 1);
    EXPECT_EQ(third.soundCount, 2);
    EXPECT_EQ(s.player.plays.back().first, soundOf(own, 1));

    // Back to the shipped sounds: the file goes, the next play reads the shipped library.
    ASSERT_TRUE(QFile::remove(own));
    s.stage->libraryChanged(4, 1, SoundStage::PlayableCount);
    const SoundReport shipped = s.play(drawn(4, 1, 3), &played);
    EXPECT_FALSE(shipped.own);
    EXPECT_EQ(shipped.choice.SoundNumber, 3);
    EXPECT_EQ(s.player.plays.back().first, soundOf(s.stage->libraryPath(played), 3));
}

TEST(OwnLibraries, TheOwnLibrariesAreCountedAtTheStartSoTheFirstActDrawsAmongThem) {
    OwnStage s;
    writeLibrary(s.ownPath("0b.gsn"), 30);
    writeLibrary(s.ownPath("5m.gsn"), 4);
    s.makeOwn();
    QDeadlineTimer limit(5000);
    while (s.stage->knownSoundCount(5, 1) == 0 && !limit.hasExpired())
        QTest::qWait(5);
    ASSERT_EQ(s.stage->knownSoundCount(5, 1), 4);
    EXPECT_EQ(s.stage->knownSoundCount(0, 0), 30);
    EXPECT_EQ(s.stage->knownSoundCount(3, 0), 0);
    s.random.script({29});
    SoundChoice played;
    const SoundReport report = s.play(drawn(0, 0, 2), &played);
    EXPECT_EQ(played.SoundNumber, 29);
    EXPECT_EQ(report.choice.SoundNumber, 29);
    EXPECT_EQ(s.random.asked, std::vector<int>{30});
}

// Crossings of a tone count twice its frequency per second, whatever the output's rate.
std::size_t crossingsBetween(const std::vector<std::size_t>& crossings, std::size_t from) {
    return std::size_t(std::count_if(crossings.begin(), crossings.end(),
                                     [from](std::size_t at) { return at >= from; }));
}

TEST(OwnLibraries, AnActPlaysAnImportedRecordingAndThenTheShippedSoundsAgain) {
    OwnStage s;
    const SoundImport::Result tone = SoundImport::fromMemory(
        sineWave(0.5, 1000.0, 48000), {.trimSilence = false, .cancel = nullptr, .progress = {}});
    ASSERT_TRUE(tone.ok()) << tone.reason.toStdString();
    SoundLibraryEdit library;
    ASSERT_TRUE(library.add(tone.waveImage, QStringLiteral("a test tone")).ok());
    const QString own = s.ownPath("1b.gsn");
    ASSERT_TRUE(library.write(own).ok());

    DiskAudio disk;
    SdlSoundPlayer player;
    ASSERT_TRUE(player.available());
    SoundStage stage({.random = &s.random, .player = &player},
                     SoundLibraryPlaces{BuiltLibraries, s.ownFolder});
    GhostTable table;
    table[1] = GhostSettings{QStringLiteral("Doorman"), true, 1, 1, 1, 1, 1, 1};
    CurrentAct act;
    FixedClock clock;
    GhostActor actor(table, act, s.random, clock, &stage);
    QSignalSpy reported(&stage, &SoundStage::reported);

    s.random.script({0, 0, 6, 0, 0}); // ghost, long, sound 6, middle; then among one sound
    actor.GhostAct({});
    const SoundReport first = Stage::waitForReport(reported);
    EXPECT_TRUE(first.own);
    EXPECT_EQ(first.description, QStringLiteral("a test tone"));
    EXPECT_EQ(first.choice.SoundNumber, 0);
    ASSERT_TRUE(waitUntilQuiet(player, 5000));
    const std::vector<std::size_t> toneCrossings = disk.zeroCrossings();
    EXPECT_NEAR(double(toneCrossings.size()), 1000.0, 60.0);

    ASSERT_TRUE(QFile::remove(own));
    stage.libraryChanged(1, 0, SoundStage::PlayableCount);
    s.random.script({0, 0, 6, 0});
    actor.GhostAct({});
    const SoundReport second = Stage::waitForReport(reported);
    EXPECT_FALSE(second.own);
    EXPECT_EQ(second.choice.SoundNumber, 6);
    EXPECT_TRUE(second.started);
    ASSERT_TRUE(waitUntilQuiet(player, 10000));
    const std::size_t after = toneCrossings.empty() ? 0 : toneCrossings.back() + 1;
    EXPECT_GT(crossingsBetween(disk.zeroCrossings(), after), 100u) << "the shipped sound played";
}

} // namespace
