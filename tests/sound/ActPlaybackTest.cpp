// SPDX-License-Identifier: GPL-3.0-or-later
// A whole act, as the attraction makes one: the ghost table, the act, the library on disk and the
// real player, whose output SDL's disk driver writes to a file.
#include "DiskAudio.h"
#include "core/ProgramState.h"
#include "ghosts/Ghosts.h"
#include "sound/SdlSoundPlayer.h"
#include "sound/SoundLibraryWriter.h"
#include "sound/TfmSound.h"
#include "support/FakePlatform.h"
#include "support/FixedClock.h"
#include "support/ScriptedRandom.h"
#include "support/WaveImage.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ActPlayback, AGhostActWritesItsSoundToTheAudioOutput) {
    DiskAudio disk;
    QTemporaryDir dir;

    std::vector<SoundLibraryWriter::Sound> sounds;
    for (int i = 0; i < 10; ++i)
        sounds.push_back({sineWave(0.25, 300 + 50 * i), "creak", static_cast<std::uint32_t>(i)});
    QFile library(dir.filePath(QStringLiteral("1b.gsn")));
    ASSERT_TRUE(library.open(QIODevice::WriteOnly));
    library.write(SoundLibraryWriter::write(sounds));
    library.close();

    {
        SdlSoundPlayer player;
        ASSERT_TRUE(player.available());
        FakePlatform fakes;
        fakes.random.script({0, 0, 3, 0}); // ghost, long sound, sound 3, middle
        ProgramState state;
        PlatformServices platform = fakes.services();
        platform.player = &player;
        Ghosts ghosts(state, platform, nullptr);
        ghosts.table()[2] = GhostSettings{QStringLiteral("Doorman"), true, 1, 1, 1, 1, 1, 1};
        TfmSound sound(state, platform, ghosts.currentAct(), dir.path());
        ghosts.setSound(&sound);

        ghosts.GhostAct({});
        EXPECT_EQ(ghosts.currentAct().GhostNumber, 2);
        EXPECT_TRUE(player.playing());
        EXPECT_TRUE(waitUntilQuiet(player, 3000));
        ghosts.setSound(nullptr);
    }
    EXPECT_GT(disk.peak(), 10000);
}

} // namespace
