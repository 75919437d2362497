#pragma once

#include "sound/SdlSoundPlayer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdlib>

// SDL's disk driver writes what it plays to a file: proof that a sound really played. Players
// made while this lives use it.
struct DiskAudio {
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("out.raw"));
    DiskAudio() {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", file.toUtf8().constData(), 1);
        setenv("SDL_DISKAUDIODELAY", "5", 1);
    }
    ~DiskAudio() { setenv("SDL_AUDIODRIVER", "dummy", 1); }

    // Largest absolute 16-bit sample written.
    int peak() const {
        QFile out(file);
        if (!out.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray bytes = out.readAll();
        int peak = 0;
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
            const auto sample = static_cast<qint16>(static_cast<quint8>(bytes[i]) |
                                                    (static_cast<quint8>(bytes[i + 1]) << 8));
            peak = std::max(peak, std::abs(static_cast<int>(sample)));
        }
        return peak;
    }
};

inline bool waitUntilQuiet(const SdlSoundPlayer& player, int limitMs) {
    QElapsedTimer timer;
    timer.start();
    while (player.playing()) {
        if (timer.elapsed() > limitMs)
            return false;
        QThread::msleep(10);
    }
    return true;
}
