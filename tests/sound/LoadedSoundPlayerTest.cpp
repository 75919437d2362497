// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/LoadedSoundPlayer.h"

#include "DiskAudio.h"
#include "support/WarningRecorder.h"
#include "support/WaveImage.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(LoadedSoundPlayer, LoadsTheSdlPlayerAtTheFirstSoundAndPlaysIt) {
    DiskAudio disk;
    LoadedSoundPlayer player; // the module built beside the test binary
    player.stop();
    EXPECT_FALSE(player.loaded()) << "nothing is loaded before the first sound";
    EXPECT_FALSE(QFile::exists(disk.file)) << "and no audio device is open";

    EXPECT_TRUE(player.play(sineWave(0.3), 1.0));
    EXPECT_TRUE(player.loaded());
    EXPECT_TRUE(QTest::qWaitFor([&] { return disk.peak() > 10000; }, 5000))
        << "the tone reached the output";
    player.stop();
}

TEST(LoadedSoundPlayer, WithoutAUsableModuleTheProgramStaysSilentAndSaysWhy) {
    struct Case {
        const char* name;
        QByteArray moduleBytes; // empty: no file at all
    };
    const Case cases[] = {
        {"no module", {}},
        {"a damaged module", QByteArrayLiteral("\x7f"
                                               "ELF not really")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        if (!c.moduleBytes.isEmpty()) {
            QFile module(folder.filePath(QStringLiteral("libgloamery_sdl_player.so")));
            ASSERT_TRUE(module.open(QIODevice::WriteOnly));
            module.write(c.moduleBytes);
        }
        const WarningRecorder warnings("gloamery.sound");
        LoadedSoundPlayer player({folder.path()});
        EXPECT_FALSE(player.play(sineWave(0.1), 1.0));
        EXPECT_FALSE(player.play(sineWave(0.1), 1.0));
        player.stop();
        EXPECT_FALSE(player.loaded());
        // Said once by whoever plays through it, with this reason.
        EXPECT_TRUE(warnings.messages().isEmpty());
        EXPECT_TRUE(player.fault().contains(folder.path())) << player.fault().toStdString();
    }
}

} // namespace
