// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SoundImport.h"

#include "sound/LoudnessFinish.h"
#include "sound/LoudnessMeter.h"
#include "sound/WaveImage.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <random>
#include <sndfile.h>

namespace {

constexpr double leadSilence = 0.5;      // seconds of digital silence before the sound
constexpr double soundLength = 2.0;      // seconds
constexpr double tailSilence = 0.7;      // seconds after it
constexpr int peakCeilingSample = 29204; // -1 dBFS

struct Recording {
    int format;
    int rate;
    int channels;
    double toneDb;  // dBFS of the tone in the first channel
    double noiseDb; // dBFS of the noise in every channel
    double seconds = soundLength;
    bool mirrored = false; // the second channel carries the tone upside down
};

// A tone over noise, faded in and out over 10 ms, between stretches of silence.
std::vector<float> interleaved(const Recording& r, double lead, double tail) {
    const auto frames = [&](double s) {
        return std::size_t(s * r.rate);
    };
    const std::size_t soundFrames = frames(r.seconds);
    std::vector<float> out((frames(lead) + soundFrames + frames(tail)) * std::size_t(r.channels));
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> noise(-1, 1);
    const double tone = std::pow(10.0, r.toneDb / 20);
    const double hiss = std::pow(10.0, r.noiseDb / 20);
    const double fade = 0.01 * r.rate;
    for (std::size_t i = 0; i < soundFrames; ++i) {
        const double envelope = std::min({1.0, double(i) / fade, double(soundFrames - i) / fade});
        const double t = double(i) / r.rate;
        for (int c = 0; c < r.channels; ++c) {
            double s = hiss * noise(rng);
            if (c == 0 || (c == 1 && r.mirrored))
                s += (c == 0 ? tone : -tone) * std::sin(2 * std::numbers::pi * 440 * t);
            out[(frames(lead) + i) * std::size_t(r.channels) + std::size_t(c)] =
                float(envelope * s);
        }
    }
    return out;
}

QString write(const QTemporaryDir& dir, const Recording& r, double lead = leadSilence,
              double tail = tailSilence) {
    const QString path = dir.filePath(QStringLiteral("recording"));
    SF_INFO info{};
    info.samplerate = r.rate;
    info.channels = r.channels;
    info.format = r.format;
    SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
    if (!file)
        return path;
    const std::vector<float> samples = interleaved(r, lead, tail);
    sf_writef_float(file, samples.data(), sf_count_t(samples.size()) / r.channels);
    sf_close(file);
    return path;
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

TEST(SoundImport, BringsEveryFormatToTheLibrariesSound) {
    struct Case {
        const char* name;
        Recording recording;
        bool fromMemory;
        bool trim = true;
    };
    const Case cases[] = {
        {"Wav16At8kStereo", {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 2, -12, -40}, false},
        {"FlacAt96kMono", {SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 96000, 1, -35, -60}, true},
        {"VorbisAt22kStereo", {SF_FORMAT_OGG | SF_FORMAT_VORBIS, 22050, 2, -6, -30}, false},
        {"AiffAt48kMono", {SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 48000, 1, -3, -20}, true},
        // Float files may go past full scale.
        {"OpusStereo", {SF_FORMAT_OGG | SF_FORMAT_OPUS, 48000, 2, -20, -45}, true},
        {"UntrimmedWav", {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, -10, -50}, false, false},
        {"Mp3Mono", {SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 44100, 1, -15, -45}, false},
        {"WavFloatAt44kStereo", {SF_FORMAT_WAV | SF_FORMAT_FLOAT, 44100, 2, 6, 0}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = write(dir, c.recording);
        std::vector<double> progress;
        SoundImport::Options options;
        options.trimSilence = c.trim;
        options.progress = [&progress](double p) {
            progress.push_back(p);
        };
        const SoundImport::Result result = c.fromMemory
                                               ? SoundImport::fromMemory(bytesOf(path), options)
                                               : SoundImport::fromFile(path, options);
        ASSERT_TRUE(result.ok()) << result.reason.toStdString();

        const auto format = WaveImage::format(result.waveImage);
        ASSERT_TRUE(format);
        EXPECT_EQ(format->sampleRate, 44100u);
        EXPECT_EQ(format->channels, 1);
        EXPECT_EQ(format->bitsPerSample, 16);
        EXPECT_NEAR(*LoudnessMeter::ofWaveImage(result.waveImage), LoudnessFinish::targetLoudness,
                    1.0);
        const auto [low, high] = std::minmax_element(result.samples.begin(), result.samples.end());
        EXPECT_LE(std::max(-int(*low), int(*high)), peakCeilingSample);
        const double kept = c.trim ? soundLength + 2 * SoundImport::silenceMargin
                                   : leadSilence + soundLength + tailSilence;
        EXPECT_NEAR(double(result.samples.size()) / 44100, kept, 0.01 * kept);

        ASSERT_FALSE(progress.empty());
        EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
        EXPECT_EQ(progress.back(), 1.0);
    }
}

TEST(SoundImport, RefusesWhatItCannotImport) {
    const Recording wav16{SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, -10, -40};
    QTemporaryDir dir;
    const QByteArray flac =
        bytesOf(write(dir, {SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 1, -10, -40}));
    const QByteArray wav =
        bytesOf(write(dir, {SF_FORMAT_WAV | SF_FORMAT_PCM_24, 48000, 2, -10, -40}));
    const QByteArray aiff =
        bytesOf(write(dir, {SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 22050, 1, -10, -40}));
    Recording longer = wav16;
    longer.seconds = 61;
    // A stream may leave its length out of the header; the decoding still has to stop it.
    QByteArray unannounced =
        bytesOf(write(dir, {SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 8000, 1, -10, -40, 61}, 0, 0));
    unannounced[21] = char(unannounced[21] & 0xf0);
    unannounced.replace(22, 4, QByteArray(4, 0));
    // Only a mean of the channels hears that they cancel out.
    Recording cancelling{SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 2, -10, -200};
    cancelling.mirrored = true;
    Recording empty = wav16;
    empty.seconds = 0;
    Recording silent = wav16;
    silent.toneDb = -200;
    silent.noiseDb = -200;
    struct Case {
        const char* name;
        QByteArray bytes;
        SoundImport::Problem problem;
        const char* saying;
        bool decodes; // or refuses from the header alone
    };
    const Case cases[] = {
        {"Garbage", QByteArray(4000, '\x5a'), SoundImport::Problem::Unreadable, "Cannot read",
         false},
        {"CutShort", flac.left(flac.size() / 2), SoundImport::Problem::Truncated, "cut short",
         true},
        {"WavCutShort", wav.left(wav.size() / 2), SoundImport::Problem::Truncated, "cut short",
         false},
        {"AiffCutShort", aiff.left(aiff.size() / 2), SoundImport::Problem::Truncated, "cut short",
         false},
        {"TooLong", bytesOf(write(dir, longer, 0, 0)), SoundImport::Problem::TooLong, "61.0 s",
         false},
        {"TooLongUnannounced", unannounced, SoundImport::Problem::TooLong, "over 60.0 s", true},
        {"Silent", bytesOf(write(dir, silent)), SoundImport::Problem::Silent, "-50 dBFS", true},
        {"CancellingChannels", bytesOf(write(dir, cancelling)), SoundImport::Problem::Silent,
         "-50 dBFS", true},
        {"Empty", bytesOf(write(dir, empty, 0, 0)), SoundImport::Problem::NoAudio, "no audio",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int blocks = 0;
        SoundImport::Options options;
        options.progress = [&blocks](double) {
            ++blocks;
        };
        const SoundImport::Result result = SoundImport::fromMemory(c.bytes, options);
        EXPECT_EQ(blocks > 0, c.decodes);
        EXPECT_EQ(result.problem, c.problem) << result.reason.toStdString();
        EXPECT_TRUE(result.reason.contains(QLatin1String(c.saying))) << result.reason.toStdString();
        EXPECT_TRUE(result.samples.empty());
        EXPECT_TRUE(result.waveImage.isEmpty());
    }
}

TEST(SoundImport, StopsWhenCancelled) {
    QTemporaryDir dir;
    const QString path = write(dir, {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 2, -10, -40});
    std::atomic<bool> cancel = false;
    int blocks = 0;
    SoundImport::Options options;
    options.cancel = &cancel;
    options.progress = [&](double) {
        ++blocks;
        cancel = true;
    };
    const SoundImport::Result result = SoundImport::fromFile(path, options);
    EXPECT_EQ(result.problem, SoundImport::Problem::Cancelled);
    EXPECT_EQ(blocks, 1);
    EXPECT_TRUE(result.samples.empty());
}

// A recorder that streams leaves the sizes at their largest, never knowing the length: a whole
// recording, not a damaged file.
TEST(SoundImport, TakesAStreamedWaveWhoseSizesWereNeverFilledIn) {
    QTemporaryDir dir;
    const QByteArray wav =
        bytesOf(write(dir, {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 16000, 1, -10, -40}));
    ASSERT_EQ(wav.mid(36, 4), QByteArray("data"));
    for (const quint32 size : {0xFFFFFFFFu, 0x7FFFFFFFu}) {
        SCOPED_TRACE(size);
        QByteArray streamed = wav;
        qToLittleEndian(size, streamed.data() + 4);
        qToLittleEndian(size, streamed.data() + 40);
        const SoundImport::Result result = SoundImport::fromMemory(streamed);
        EXPECT_TRUE(result.ok()) << result.reason.toStdString();
        EXPECT_NEAR(double(result.samples.size()) / SoundImport::rate, soundLength, 0.05);
    }
}

// A stream that leaves its length out still moves the bar, by the bytes read.
TEST(SoundImport, ShowsProgressForAStreamOfUnknownLength) {
    QTemporaryDir dir;
    QByteArray unannounced =
        bytesOf(write(dir, {SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 8000, 1, -10, -40, 20}, 0, 0));
    unannounced[21] = char(unannounced[21] & 0xf0);
    unannounced.replace(22, 4, QByteArray(4, 0));
    const QString path = dir.filePath(QStringLiteral("unannounced.flac"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(unannounced);
    file.close();
    const std::function<SoundImport::Result(const SoundImport::Options&)> imports[] = {
        [&](const auto& options) { return SoundImport::fromMemory(unannounced, options); },
        [&](const auto& options) { return SoundImport::fromFile(path, options); },
    };
    for (const auto& import : imports) {
        std::vector<double> steps;
        SoundImport::Options options;
        options.progress = [&steps](double share) {
            steps.push_back(share);
        };
        ASSERT_TRUE(import(options).ok());
        ASSERT_GE(steps.size(), 3u);
        EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
        EXPECT_GT(steps[steps.size() / 2], 0.2);
        EXPECT_GT(steps[steps.size() - 2], 0.8);
    }
}

} // namespace
