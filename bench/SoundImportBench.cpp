// SPDX-License-Identifier: GPL-3.0-or-later
// The import of a user's recording beside sox doing the same conversion on the same file.
// Run: build/bench/sound_import_bench [--benchmark_repetitions=3]
// audio_s_per_s is seconds of input audio turned into a library sound per second of wall time;
// sox's rows include starting its process and writing its output file, the import's keep the
// result in memory. sox runs "sox -D -q IN -b 16 OUT channels 1 rate -h 44100 norm -1": mono,
// resampled, 16-bit without dither, peak at -1 dBFS (sox has no LUFS measure); its _trim rows
// add "silence 1 0.01 -50d reverse silence 1 0.01 -50d reverse" before the norm to cut silence
// off both ends, as the import does.
// build/bench/sound_import_bench --memory [FOLDER] prints the peak memory of one import of a 60 s
// stereo 48 kHz WAV, written into FOLDER and kept there when one is given, so that sox can be
// measured on it with /usr/bin/time -v (a child's peak measured from here would include ours).
#include "sound/SoundImport.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <numbers>
#include <random>
#include <sndfile.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

struct Input {
    const char* name;
    const char* suffix;
    int format;
    int rate;
    int channels;
    double seconds;
};

const Input inputs[] = {
    {"wav_48k_stereo_16bit", "wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2, 20.0},
    {"flac_44k_mono_16bit", "flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 1, 20.0},
    {"wav_96k_stereo_24bit", "wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 96000, 2, 20.0},
    {"ogg_vorbis_48k_stereo", "ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 48000, 2, 20.0},
};
const Input longest{"wav_48k_stereo_60s", "wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2, 60.0};

QString keptFolder;

QString folderPath(const QString& name) {
    static QTemporaryDir temporary;
    return QDir(keptFolder.isEmpty() ? temporary.path() : keptFolder).filePath(name);
}

// Two tones over noise, different in each channel so the downmix has work, with a quarter second
// of silence at each end for the trim. Written block by block: the peak memory the --memory mode
// reports must be the import's, not this buffer's.
QString writeInput(const Input& input) {
    const QString path = folderPath(QString::fromLatin1(input.name) + QLatin1Char('.') +
                                    QString::fromLatin1(input.suffix));
    SF_INFO info{};
    info.samplerate = input.rate;
    info.channels = input.channels;
    info.format = input.format;
    SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    if (!file)
        return {};
    std::mt19937 random(29);
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    const auto total = sf_count_t(input.seconds * input.rate);
    const auto pad = sf_count_t(0.25 * input.rate);
    constexpr sf_count_t blockFrames = 4096;
    std::vector<float> block(std::size_t(blockFrames * input.channels));
    bool written = true;
    for (sf_count_t at = 0; at < total && written; at += blockFrames) {
        const sf_count_t frames = std::min(blockFrames, total - at);
        for (sf_count_t f = 0; f < frames; ++f) {
            const sf_count_t frame = at + f;
            const double t = double(frame) / input.rate;
            const bool quiet = frame < pad || frame >= total - pad;
            for (int c = 0; c < input.channels; ++c) {
                const double tones = 0.25 * std::sin(2 * std::numbers::pi * 220.0 * (c + 1) * t) +
                                     0.15 * std::sin(2 * std::numbers::pi * 3170.0 * t);
                block[std::size_t(f * input.channels + c)] =
                    quiet ? 0.0f : float(tones) + 0.1f * noise(random);
            }
        }
        written = sf_writef_float(file, block.data(), frames) == frames;
    }
    sf_close(file);
    return written ? path : QString();
}

const QString& inputPath(const Input& input) {
    static std::map<std::string, QString> written;
    auto [at, fresh] = written.try_emplace(input.name);
    if (fresh)
        at->second = writeInput(input);
    return at->second;
}

// The effects are named in the import's order: sox would otherwise resample both channels and
// downmix after the gain, leaving the peak below -1 dBFS.
QStringList soxArguments(const QString& in, const QString& out, bool trim) {
    const auto words = [](const char* text) {
        return QString::fromLatin1(text).split(QLatin1Char(' '));
    };
    QStringList arguments = words("-D -q");
    arguments << in << words("-b 16") << out << words("channels 1 rate -h 44100");
    if (trim)
        arguments << words("silence 1 0.01 -50d reverse silence 1 0.01 -50d reverse");
    return arguments << words("norm -1");
}

// Runs sox to its end; false when it cannot start or fails.
bool runSox(const QString& sox, const QStringList& arguments) {
    std::vector<QByteArray> bytes{sox.toLocal8Bit()};
    for (const QString& argument : arguments)
        bytes.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_Import(benchmark::State& state, const Input& input) {
    const QString& path = inputPath(input);
    if (path.isEmpty()) {
        state.SkipWithError("cannot write the input");
        return;
    }
    std::size_t kept = 0;
    for (auto _ : state) {
        const SoundImport::Result result = SoundImport::fromFile(path);
        if (!result.ok()) {
            state.SkipWithError(result.reason.toLocal8Bit().constData());
            break;
        }
        kept = result.samples.size();
    }
    // What the trim left: the input less its silent ends.
    state.counters["out_s"] = double(kept) / SoundImport::rate;
    state.counters["audio_s_per_s"] =
        benchmark::Counter(input.seconds * double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_Sox(benchmark::State& state, const Input& input, const QString& sox, bool trim) {
    const QString& path = inputPath(input);
    if (path.isEmpty()) {
        state.SkipWithError("cannot write the input");
        return;
    }
    const QStringList arguments = soxArguments(
        path, folderPath(QString::fromLatin1(input.name) + QStringLiteral("-sox.wav")), trim);
    for (auto _ : state) {
        if (!runSox(sox, arguments)) {
            state.SkipWithError("sox failed");
            break;
        }
    }
    state.counters["audio_s_per_s"] =
        benchmark::Counter(input.seconds * double(state.iterations()), benchmark::Counter::kIsRate);
}

long peakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int memoryReport() {
    const QString& path = inputPath(longest);
    if (path.isEmpty())
        return 1;
    const long before = peakKiB();
    const SoundImport::Result result = SoundImport::fromFile(path);
    const long after = peakKiB();
    std::printf("%s: import %s, peak RSS %ld KiB before it, %ld KiB after (+%ld KiB)\n",
                qPrintable(path), result.ok() ? "ok" : "failed", before, after, after - before);
    return result.ok() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--memory") == 0) {
        if (argc > 2)
            keptFolder = QString::fromLocal8Bit(argv[2]);
        return memoryReport();
    }
    const QString sox = QStandardPaths::findExecutable(QStringLiteral("sox"));
    // No sox, no baseline rows: a skipped row would read as a failure in the smoke run.
    if (sox.isEmpty())
        std::fprintf(stderr, "sox is not installed: only the import is measured\n");
    for (const Input& input : inputs) {
        const std::string name = input.name;
        benchmark::RegisterBenchmark(("import/" + name).c_str(), BM_Import, input)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        if (sox.isEmpty())
            continue;
        for (const bool trim : {false, true})
            benchmark::RegisterBenchmark(((trim ? "sox_trim/" : "sox/") + name).c_str(), BM_Sox,
                                         input, sox, trim)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
