// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/SdlSoundPlayer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdlib>
#include <vector>

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

    // The 16-bit samples written so far, channels interleaved.
    std::vector<qint16> samples() const {
        QFile out(file);
        if (!out.open(QIODevice::ReadOnly))
            return {};
        const QByteArray bytes = out.readAll();
        std::vector<qint16> result;
        result.reserve(std::size_t(bytes.size() / 2));
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
            result.push_back(static_cast<qint16>(static_cast<quint8>(bytes[i]) |
                                                 (static_cast<quint8>(bytes[i + 1]) << 8)));
        return result;
    }

    // Largest absolute 16-bit sample written.
    int peak() const {
        if (!QFile::exists(file))
            return -1;
        int peak = 0;
        for (qint16 sample : samples())
            peak = std::max(peak, std::abs(static_cast<int>(sample)));
        return peak;
    }

    // Where the first channel changes sign, counted in frames of two channels: a tone's pitch
    // shows in the spacing, without knowing the output's sample rate.
    std::vector<std::size_t> zeroCrossings() const {
        const std::vector<qint16> all = samples();
        std::vector<std::size_t> crossings;
        for (std::size_t i = 2; i < all.size(); i += 2) {
            if ((all[i - 2] < 0) != (all[i] < 0))
                crossings.push_back(i / 2);
        }
        return crossings;
    }

    bool waitForCrossings(std::size_t count, int limitMs) const {
        QElapsedTimer timer;
        timer.start();
        while (zeroCrossings().size() < count) {
            if (timer.elapsed() > limitMs)
                return false;
            QThread::msleep(10);
        }
        return true;
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
