// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SdlSoundPlayer.h"

#include "DiskAudio.h"
#include "support/WarningRecorder.h"
#include "support/WaveImage.h"

#include <QThread>

#include <gtest/gtest.h>

namespace {

TEST(SdlSoundPlayer, PlaysAWaveImageFromMemory) {
    DiskAudio disk;
    int fullPeak = 0;
    {
        SdlSoundPlayer player;
        ASSERT_TRUE(player.available());
        EXPECT_EQ(player.driver(), QStringLiteral("disk"));
        EXPECT_TRUE(player.play(sineWave(0.3), 1.0));
        EXPECT_TRUE(player.playing());
        EXPECT_TRUE(waitUntilQuiet(player, 3000));
    }
    fullPeak = disk.peak();
    EXPECT_GT(fullPeak, 10000) << "the tone reached the output";

    DiskAudio quieter;
    {
        SdlSoundPlayer player;
        EXPECT_TRUE(player.play(sineWave(0.3), 0.5));
        EXPECT_TRUE(waitUntilQuiet(player, 3000));
    }
    const int halfPeak = quieter.peak();
    EXPECT_GT(halfPeak, fullPeak / 3);
    EXPECT_LT(halfPeak, fullPeak * 2 / 3) << "half amplitude";
}

double meanSpacing(const std::vector<std::size_t>& crossings, std::size_t from, std::size_t n) {
    return double(crossings[from + n - 1] - crossings[from]) / double(n - 1);
}

TEST(SdlSoundPlayer, ANewSoundCutsOffTheOnePlaying) {
    // The disk driver runs several times faster than real time, so the first sound is long
    // enough to outlast any wait here by far, and the output itself is examined.
    constexpr double firstSeconds = 20.0;
    DiskAudio disk;
    {
        SdlSoundPlayer player;
        ASSERT_TRUE(player.play(sineWave(firstSeconds, 220), 1.0));
        ASSERT_TRUE(disk.waitForCrossings(200, 3000)) << "the first sound reached the output";
        ASSERT_TRUE(player.play(sineWave(0.2, 880), 1.0));
        EXPECT_TRUE(waitUntilQuiet(player, 5000));
    }
    const std::vector<std::size_t> crossings = disk.zeroCrossings();
    // The 220 Hz tone crosses zero 440 times a second: all of it would be 8800 crossings.
    EXPECT_LT(crossings.size(), std::size_t(440 * firstSeconds / 2)) << "the first sound played on";
    ASSERT_GE(crossings.size(), 300u);
    // What was heard last is the second sound, two octaves above the first.
    const double first = meanSpacing(crossings, 0, 100);
    const double last = meanSpacing(crossings, crossings.size() - 100, 100);
    EXPECT_NEAR(first / last, 4.0, 0.4) << first << " " << last;
}

TEST(SdlSoundPlayer, SomethingItCannotDecodeIsSilentlyNotPlayed) {
    DiskAudio disk;
    SdlSoundPlayer player;
    EXPECT_FALSE(player.play(QByteArray(), 1.0));
    EXPECT_FALSE(player.play(QByteArray("RIFF\x04\x00\x00\x00WAVE", 12), 1.0));
    EXPECT_FALSE(player.play(QByteArray(1000, '\x7f'), 1.0));
    EXPECT_FALSE(player.playing());
}

TEST(SdlSoundPlayer, AnOutputThatCannotOpenGivesSdlsReason) {
    // A driver SDL does not have fails its start; a file it cannot create fails the device.
    for (const QString& driver : {QStringLiteral("no-such-driver"), QStringLiteral("disk")}) {
        SCOPED_TRACE(qPrintable(driver));
        DiskAudio disk; // puts the driver back afterwards
        const QString unwritable = disk.dir.filePath(QStringLiteral("no-such-folder/out.raw"));
        setenv("SDL_AUDIODRIVER", driver.toUtf8().constData(), 1);
        setenv("SDL_DISKAUDIOFILE", unwritable.toUtf8().constData(), 1);
        const WarningRecorder warnings("gloamery.sound");
        SdlSoundPlayer player;
        EXPECT_FALSE(player.available());
        // Only SDL was told this name.
        const QString told = driver == QStringLiteral("disk") ? unwritable : driver;
        EXPECT_TRUE(player.openError().contains(told)) << qPrintable(player.openError());
        EXPECT_EQ(player.fault(), player.openError()) << "told to whoever plays through it";
        EXPECT_TRUE(warnings.messages().isEmpty());
    }
}

} // namespace
