// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GsnCommands.h"
#include "sound/TLMDWaveList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <sndfile.h>
#include <vector>

// Runs gsn commands in a scratch folder and keeps what they printed.
class Gsn : public ::testing::Test {
protected:
    int run(const QStringList& arguments) {
        out.clear();
        err.clear();
        QTextStream o(&out);
        QTextStream e(&err);
        GsnCommands commands(o, e, places);
        return commands.run(arguments);
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString writeFile(const QString& name, const QByteArray& bytes) {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path(name);
    }
    static QByteArray readFile(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static std::unique_ptr<TLMDWaveList> load(const QString& file) {
        auto list = std::make_unique<TLMDWaveList>();
        list->LoadSoundLibrary(file);
        return list;
    }

    QTemporaryDir dir;
    SoundLibraryPlaces places;
    QString out;
    QString err;
};

// A recording as libsndfile writes it: a 440 Hz tone between stretches of digital silence, the
// same in every channel.
struct Recording {
    int format;
    int rate;
    int channels;
    double lead;    // seconds of silence before the tone
    double seconds; // of the tone
    double tail;    // seconds of silence after it
    double toneDb = -12;
};

inline QString writeRecording(const QString& file, const Recording& r) {
    SF_INFO info{};
    info.samplerate = r.rate;
    info.channels = r.channels;
    info.format = r.format;
    SNDFILE* sound = sf_open(file.toLocal8Bit().constData(), SFM_WRITE, &info);
    EXPECT_NE(sound, nullptr) << sf_strerror(nullptr);
    if (!sound)
        return file;
    const auto lead = std::size_t(r.lead * r.rate);
    const auto tone = std::size_t(r.seconds * r.rate);
    const std::size_t frames = lead + tone + std::size_t(r.tail * r.rate);
    const auto channels = std::size_t(r.channels);
    std::vector<float> samples(frames * channels);
    const double amplitude = std::pow(10.0, r.toneDb / 20);
    const double fade = 0.01 * r.rate; // no click for the trimming to keep
    for (std::size_t i = 0; i < tone; ++i) {
        const double envelope = std::min({1.0, double(i) / fade, double(tone - i) / fade});
        const auto s =
            float(envelope * amplitude * std::sin(2 * std::numbers::pi * 440 * double(i) / r.rate));
        for (std::size_t c = 0; c < channels; ++c)
            samples[(lead + i) * channels + c] = s;
    }
    sf_writef_float(sound, samples.data(), sf_count_t(frames));
    sf_close(sound);
    return file;
}
