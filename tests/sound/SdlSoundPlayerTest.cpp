#include "sound/SdlSoundPlayer.h"

#include "DiskAudio.h"
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

TEST(SdlSoundPlayer, ANewSoundCutsOffTheOnePlaying) {
    DiskAudio disk;
    SdlSoundPlayer player;
    ASSERT_TRUE(player.play(sineWave(4.0, 220), 1.0));
    QThread::msleep(100);
    ASSERT_TRUE(player.play(sineWave(0.2, 880), 1.0));
    // Long before the first sound's four seconds are over, nothing plays any more.
    EXPECT_TRUE(waitUntilQuiet(player, 1500));
}

TEST(SdlSoundPlayer, SomethingItCannotDecodeIsSilentlyNotPlayed) {
    DiskAudio disk;
    SdlSoundPlayer player;
    EXPECT_FALSE(player.play(QByteArray(), 1.0));
    EXPECT_FALSE(player.play(QByteArray("RIFF\x04\x00\x00\x00WAVE", 12), 1.0));
    EXPECT_FALSE(player.play(QByteArray(1000, '\x7f'), 1.0));
    EXPECT_FALSE(player.playing());
}

} // namespace
