// A whole act, as the attraction makes one: the ghost table, the act, the library on disk and the
// real player, whose output SDL's disk driver writes to a file.
#include "app/core/ProgramState.h"
#include "ghosts/TfmGhost.h"
#include "sound/SdlSoundPlayer.h"
#include "sound/SoundLibraryWriter.h"
#include "sound/TfmSound.h"
#include "support/FixedClock.h"
#include "support/ScriptedRandom.h"
#include "support/WaveImage.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

int peakOf(const QString& rawFile) {
    QFile file(rawFile);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    int peak = 0;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const auto sample = static_cast<qint16>(static_cast<quint8>(bytes[i]) |
                                                (static_cast<quint8>(bytes[i + 1]) << 8));
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    return peak;
}

TEST(ActPlayback, AGhostActWritesItsSoundToTheAudioOutput) {
    QTemporaryDir dir;
    const QString output = dir.filePath(QStringLiteral("out.raw"));
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.toUtf8().constData(), 1);
    setenv("SDL_DISKAUDIODELAY", "5", 1);

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
        FixedClock clock;
        ScriptedRandom random({0, 0, 3, 0}); // ghost, long sound, sound 3, middle
        ProgramState state;
        PlatformServices platform;
        platform.clock = &clock;
        platform.random = &random;
        platform.player = &player;
        TfmGhost ghosts(state, platform);
        ghosts.ghostTable()[2] = GhostSettings{QStringLiteral("Doorman"), true, 1, 1, 1, 1, 1, 1};
        TfmSound sound(state, platform, ghosts.currentAct(), dir.path());
        ghosts.setSoundOutput(&sound);

        ghosts.GhostAct();
        EXPECT_EQ(ghosts.currentAct().GhostNumber, 2);
        EXPECT_TRUE(player.playing());
        QElapsedTimer waited;
        waited.start();
        while (player.playing() && waited.elapsed() < 3000)
            QThread::msleep(10);
        EXPECT_FALSE(player.playing());
        ghosts.setSoundOutput(nullptr);
    }
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_GT(peakOf(output), 10000);
}

} // namespace
