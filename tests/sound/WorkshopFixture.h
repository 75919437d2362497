// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/SoundLibraryEdit.h"
#include "sound/SoundLibraryWorkshop.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sndfile.h>
#include <vector>

// A workshop over the libraries the build made and an own folder of the test's, with recordings
// the test writes through libsndfile.
namespace workshoptest {

inline const QString BuiltLibraries = QStringLiteral(GLOAMERY_SOUND_DIR);

// A 440 Hz tone at -12 dBFS in every channel.
inline QString writeRecording(const QString& path, int format, int rate, int channels,
                              double seconds) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
    if (!file)
        return path;
    const auto frames = std::size_t(seconds * rate);
    std::vector<float> samples(frames * std::size_t(channels));
    for (std::size_t i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            samples[i * std::size_t(channels) + std::size_t(c)] =
                float(0.25 * std::sin(2 * std::numbers::pi * 440 * double(i) / rate));
    sf_writef_float(file, samples.data(), sf_count_t(frames));
    sf_close(file);
    return path;
}

inline SoundLibraryEdit readEdit(const QString& path) {
    SoundLibraryEdit::Outcome outcome;
    SoundLibraryEdit edit = SoundLibraryEdit::read(path, &outcome);
    EXPECT_TRUE(outcome.ok()) << outcome.reason.toStdString();
    return edit;
}

struct Workshop {
    QTemporaryDir dir;
    QString ownFolder = dir.filePath(QStringLiteral("Snd"));
    QString recordings = dir.filePath(QStringLiteral("rec"));
    Language language = Language::English;
    SoundLibraryWorkshop workshop{{BuiltLibraries, ownFolder}, language};
    QSignalSpy done{&workshop, &SoundLibraryWorkshop::workDone};
    QSignalSpy changed{&workshop, &SoundLibraryWorkshop::libraryChanged};

    Workshop() { QDir().mkpath(recordings); }

    QString recording(const char* name, int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16,
                      int rate = 48000, int channels = 2, double seconds = 0.5) {
        return writeRecording(QDir(recordings).filePath(QString::fromUtf8(name)), format, rate,
                              channels, seconds);
    }
    QString own(int index) const {
        return workshop.places().ownPath(SoundLibraryWorkshop::specialOf(index),
                                         SoundLibraryWorkshop::kindOf(index));
    }
    QString shipped(int index) const {
        return workshop.places().shippedPath(SoundLibraryWorkshop::specialOf(index),
                                             SoundLibraryWorkshop::kindOf(index));
    }
    // The messages of the job under way, once it ended.
    QStringList waitForWork() {
        if (done.isEmpty() && !done.wait(30000)) {
            ADD_FAILURE() << "the job did not end";
            return {};
        }
        return done.takeFirst().at(0).toStringList();
    }
    void waitForLibraries() {
        QSignalSpy read(&workshop, &SoundLibraryWorkshop::libraryRead);
        workshop.refresh();
        while (read.size() < SoundLibraryWorkshop::libraryCount)
            if (!read.wait(30000)) {
                ADD_FAILURE() << "the libraries were not read";
                return;
            }
    }
};

} // namespace workshoptest
