// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtEndian>

#include <cmath>
#include <numbers>

// A complete RIFF WAVE file image of a sine tone: 16-bit PCM, mono.
inline QByteArray sineWave(double seconds, double frequency = 440.0, int rate = 22050,
                           double amplitude = 0.6) {
    const int samples = static_cast<int>(seconds * rate);
    QByteArray pcm(samples * 2, Qt::Uninitialized);
    for (int i = 0; i < samples; ++i) {
        const double value = amplitude * std::sin(2 * std::numbers::pi * frequency * i / rate);
        qToLittleEndian<qint16>(static_cast<qint16>(value * 32767), pcm.data() + 2 * i);
    }
    QByteArray wave;
    const auto put32 = [&wave](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        wave.append(b, 4);
    };
    const auto put16 = [&wave](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        wave.append(b, 2);
    };
    wave.append("RIFF");
    put32(static_cast<quint32>(36 + pcm.size()));
    wave.append("WAVEfmt ");
    put32(16);
    put16(1); // PCM
    put16(1); // mono
    put32(static_cast<quint32>(rate));
    put32(static_cast<quint32>(rate * 2));
    put16(2);
    put16(16);
    wave.append("data");
    put32(static_cast<quint32>(pcm.size()));
    wave.append(pcm);
    return wave;
}
