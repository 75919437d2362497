// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

// Turns a user's recording in any common format (whatever libsndfile reads) into a library sound:
// mono at the libraries' rate, silence trimmed off its ends, at the libraries' loudness. Runs
// block by block so a window can run it off the UI thread, show its progress and cancel it.
class SoundImport {
public:
    static constexpr int rate = 44100;
    static constexpr double maxSeconds = 60.0;
    static constexpr double silenceThreshold = -50.0; // dBFS, the peak over one window
    static constexpr double silenceWindow = 0.01;     // seconds
    static constexpr double silenceMargin = 0.005;    // seconds kept before and after the sound

    enum class Problem { None, Unreadable, Truncated, NoAudio, TooLong, Silent, Cancelled };

    struct Options {
        bool trimSilence = true;
        const std::atomic<bool>* cancel = nullptr;
        std::function<void(double)> progress; // 0..1, once per block
    };

    struct Result {
        Problem problem = Problem::None;
        QString reason; // English, for the log and the dialog's detail
        std::vector<std::int16_t> samples;
        QByteArray waveImage;

        bool ok() const { return problem == Problem::None; }
    };

    static Result fromFile(const QString& path, const Options& options);
    static Result fromMemory(QByteArrayView bytes, const Options& options);
    static Result fromFile(const QString& path) { return fromFile(path, Options()); }
    static Result fromMemory(QByteArrayView bytes) { return fromMemory(bytes, Options()); }
};
