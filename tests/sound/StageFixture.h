// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FakeMixerDevice.h"
#include "sound/SoundLibraryWriter.h"
#include "sound/SoundPlayer.h"
#include "sound/SoundStage.h"
#include "support/RecordingMessageBoxes.h"
#include "support/TempStore.h"
#include "support/WaveImage.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

// A sound stage over a real store, the libraries the build made (or a test's own), a player
// that records what it is given and a mixer line in memory.
namespace stagetest {

inline const QString ProgramKey = QStringLiteral("SoftWare\\Brannoch\\Gloamery\\");
inline const QString BuiltLibraries = QStringLiteral(GLOAMERY_SOUND_DIR);

struct RecordingPlayer : SoundPlayer {
    void prepare() override {
        preparedOn.push_back(QThread::currentThread());
        callsBeforePrepared = int(plays.size()) + stops;
    }
    bool play(const QByteArray& image, double amplitude) override {
        plays.push_back({image, amplitude});
        return true;
    }
    void stop() override { ++stops; }
    bool playing() const override { return sounding; }
    std::vector<std::pair<QByteArray, double>> plays;
    int stops = 0;
    bool sounding = false;
    std::vector<QThread*> preparedOn;
    int callsBeforePrepared = -1;
};

// Sound `number` of a library file, as the reader gives it.
inline QByteArray soundOf(const QString& path, int number) {
    TLMDWaveList list;
    list.LoadSoundLibrary(path);
    return list.wave(number).image();
}

inline void writeLibrary(const QString& path, int count) {
    std::vector<SoundLibraryWriter::Sound> sounds;
    for (int i = 0; i < count; ++i)
        sounds.push_back({sineWave(0.05, 200 + 40 * i), "sound", std::uint32_t(i), true});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(SoundLibraryWriter::write(sounds));
}

inline void copyCut(const QString& from, const QString& to, double share) {
    QFile in(from);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    QFile out(to);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes.left(qsizetype(bytes.size() * share)));
}

struct Stage {
    TempStore temp;
    QTemporaryDir folder; // libraries a test makes for itself
    RecordingMessageBoxes messages;
    RecordingPlayer player;
    FakeMixerDevice mixer;
    std::unique_ptr<SoundStage> stage;

    SoundStage& make(const QString& libraries = BuiltLibraries, bool load = true) {
        const PlatformServices platform{
            .store = &temp.store(), .messages = &messages, .player = &player, .mixer = &mixer};
        stage = std::make_unique<SoundStage>(platform, libraries);
        if (load)
            stage->loadSettings();
        return *stage;
    }
    QString own(const char* name) const { return folder.filePath(QLatin1String(name)); }

    // Plays and waits for the report; `played` receives what play() answered at once.
    SoundReport play(const SoundChoice& choice, SoundChoice* played = nullptr) {
        QSignalSpy reported(stage.get(), &SoundStage::reported);
        const SoundChoice answer = stage->play(choice);
        if (played)
            *played = answer;
        return waitForReport(reported);
    }
    static SoundReport waitForReport(QSignalSpy& reported) {
        if (reported.isEmpty() && !reported.wait(10000)) {
            ADD_FAILURE() << "no report";
            return {};
        }
        return reported.takeFirst().at(0).value<SoundReport>();
    }
};

inline SoundChoice choice(qint32 special, qint32 kind, qint32 number, qint32 effect = 0,
                          SoundAmplitude amplitude = SoundAmplitude::Full) {
    return {special, kind, number, effect, amplitude};
}

} // namespace stagetest
