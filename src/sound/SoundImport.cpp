// SPDX-License-Identifier: GPL-3.0-or-later
#include "SoundImport.h"

#include "LoudnessFinish.h"
#include "WaveImage.h"

#include <QFile>
#include <QMutex>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <sndfile.h>
#include <soxr.h>
#include <span>
#include <unistd.h>

namespace {

using Problem = SoundImport::Problem;
using Result = SoundImport::Result;

constexpr sf_count_t blockFrames = 8192;
// Of the progress bar: the rest is the finish, whose search for the gain measures the whole sound
// a few times over.
constexpr double decodingShare = 0.9;

Result failed(Problem problem, const QString& reason) {
    Result result;
    result.problem = problem;
    result.reason = reason;
    return result;
}

QString secondsText(double seconds) {
    return QString::number(seconds, 'f', 1);
}

Result tooLong(double seconds) {
    return failed(Problem::TooLong,
                  QStringLiteral("The sound lasts %1 s; at most %2 s can be imported.")
                      .arg(secondsText(seconds), secondsText(SoundImport::maxSeconds)));
}

// libsndfile reads memory through these; the position never leaves 0..size.
struct Memory {
    QByteArrayView bytes;
    sf_count_t position = 0;
};

sf_count_t memoryLength(void* user) {
    return static_cast<Memory*>(user)->bytes.size();
}

sf_count_t memorySeek(sf_count_t offset, int whence, void* user) {
    auto* memory = static_cast<Memory*>(user);
    const sf_count_t size = memory->bytes.size();
    sf_count_t base = 0;
    if (whence == SEEK_CUR)
        base = memory->position;
    else if (whence == SEEK_END)
        base = size;
    // Offsets near the type's limits come from damaged headers: keep the sum from overflowing.
    if (offset > size || offset < -size)
        return -1;
    const sf_count_t target = base + offset;
    if (target < 0 || target > size)
        return -1;
    memory->position = target;
    return target;
}

sf_count_t memoryRead(void* destination, sf_count_t count, void* user) {
    auto* memory = static_cast<Memory*>(user);
    const sf_count_t n = std::clamp<sf_count_t>(count, 0, memory->bytes.size() - memory->position);
    if (n > 0)
        std::memcpy(destination, memory->bytes.data() + memory->position, std::size_t(n));
    memory->position += n;
    return n;
}

sf_count_t memoryWrite(const void*, sf_count_t, void*) {
    return 0;
}

sf_count_t memoryTell(void* user) {
    return static_cast<Memory*>(user)->position;
}

struct FileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using File = std::unique_ptr<SNDFILE, FileCloser>;

struct ResamplerDeleter {
    void operator()(soxr* resampler) const { soxr_delete(resampler); }
};
using Resampler = std::unique_ptr<soxr, ResamplerDeleter>;

// Feeds mono blocks through soxr, or straight through when the rate is already the libraries'.
class RateChange {
public:
    RateChange(int fromRate, QString& error)
        : m_ratio(double(SoundImport::rate) / fromRate) {
        if (fromRate == SoundImport::rate)
            return;
        const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
        const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
        soxr_error_t soxrError = nullptr;
        m_resampler.reset(
            soxr_create(fromRate, SoundImport::rate, 1, &soxrError, &io, &quality, nullptr));
        if (soxrError)
            error = QString::fromUtf8(soxrError);
    }

    void add(std::span<const float> in, std::vector<float>& out) {
        if (!m_resampler) {
            out.insert(out.end(), in.begin(), in.end());
            return;
        }
        pump(in.data(), in.size(), out);
    }

    void flush(std::vector<float>& out) {
        if (m_resampler)
            pump(nullptr, 0, out);
    }

private:
    // A null input tells soxr the end has come; it then gives out what its filter still holds.
    void pump(const float* in, std::size_t length, std::vector<float>& out) {
        const std::size_t room = std::size_t(double(length) * m_ratio) + 1024;
        std::size_t consumed = 0;
        for (;;) {
            const std::size_t start = out.size();
            out.resize(start + room);
            std::size_t taken = 0;
            std::size_t given = 0;
            soxr_process(m_resampler.get(), in ? in + consumed : nullptr, length - consumed,
                         in ? &taken : nullptr, out.data() + start, room, &given);
            out.resize(start + given);
            consumed += taken;
            if (given < room && consumed >= length)
                return;
        }
    }

    double m_ratio;
    Resampler m_resampler;
};

// Where the sound is: from the first to the last short window whose peak reaches the threshold,
// widened by the margin. Empty when no window does.
std::pair<std::size_t, std::size_t> audibleSpan(std::span<const float> wave) {
    const float threshold = float(std::pow(10.0, SoundImport::silenceThreshold / 20.0));
    const auto window = std::size_t(SoundImport::silenceWindow * SoundImport::rate);
    std::size_t first = wave.size();
    std::size_t last = 0;
    for (std::size_t start = 0; start < wave.size(); start += window) {
        const std::size_t end = std::min(wave.size(), start + window);
        const bool loud =
            std::any_of(wave.begin() + std::ptrdiff_t(start), wave.begin() + std::ptrdiff_t(end),
                        [threshold](float s) { return std::abs(s) >= threshold; });
        if (loud) {
            first = std::min(first, start);
            last = end;
        }
    }
    if (first >= last)
        return {0, 0};
    const auto margin = std::size_t(SoundImport::silenceMargin * SoundImport::rate);
    return {first > margin ? first - margin : 0, std::min(wave.size(), last + margin)};
}

// A WAV or AIFF file cut short reads without an error, as the shorter sound it now holds; only
// libsndfile's header log tells that the sound chunk was declared longer than the file. A
// declared size near 2 or 4 GiB marks a stream whose writer never knew its length: no damage.
std::optional<QString> cutShortChunk(SNDFILE* file) {
    std::array<char, 8192> log{};
    sf_command(file, SFC_GET_LOG_INFO, log.data(), int(log.size()));
    static const QRegularExpression chunk(
        QStringLiteral(R"(^\s*(data|SSND) : (\d+) \(should be (\d+)\))"),
        QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = chunk.match(QString::fromLatin1(log.data()));
    if (!match.hasMatch())
        return std::nullopt;
    const qint64 declared = match.captured(2).toLongLong();
    const qint64 present = match.captured(3).toLongLong();
    if (declared <= present || declared >= 0x7FFFF000)
        return std::nullopt;
    return QStringLiteral("The file is cut short: its sound was to take %1 bytes, %2 are there.")
        .arg(declared)
        .arg(present);
}

// How far through its bytes the decoder has read, 0..1: the progress of a file whose header
// leaves its length out.
using ReadShare = std::function<double()>;

Result decode(SNDFILE* file, const SF_INFO& info, const SoundImport::Options& options,
              const ReadShare& readShare) {
    if (info.channels < 1 || info.samplerate < 1)
        return failed(Problem::Unreadable, QStringLiteral("The file names no channels or rate."));
    if (const std::optional<QString> cut = cutShortChunk(file))
        return failed(Problem::Truncated, *cut);
    // Some formats cannot tell their length before the end: then only the decoding can refuse.
    const bool lengthKnown = info.frames > 0 && info.frames < SF_COUNT_MAX;
    if (lengthKnown && double(info.frames) / info.samplerate > SoundImport::maxSeconds)
        return tooLong(double(info.frames) / info.samplerate);

    QString error;
    RateChange rateChange(info.samplerate, error);
    if (!error.isEmpty())
        return failed(Problem::Unreadable, QStringLiteral("Cannot resample: %1").arg(error));

    const auto maxFrames = sf_count_t(SoundImport::maxSeconds * info.samplerate);
    std::vector<float> block(std::size_t(blockFrames) * std::size_t(info.channels));
    std::vector<float> mono;
    std::vector<float> out;
    sf_count_t decoded = 0;
    for (;;) {
        if (options.cancel && options.cancel->load())
            return failed(Problem::Cancelled, QStringLiteral("The import was cancelled."));
        const sf_count_t got = sf_readf_float(file, block.data(), blockFrames);
        if (got <= 0)
            break;
        decoded += got;
        if (decoded > maxFrames)
            return failed(
                Problem::TooLong,
                QStringLiteral("The sound lasts over %1 s, the most that can be imported.")
                    .arg(secondsText(SoundImport::maxSeconds)));
        mono.assign(std::size_t(got), 0.0f);
        for (std::size_t frame = 0; frame < mono.size(); ++frame) {
            float sum = 0;
            for (int c = 0; c < info.channels; ++c)
                sum += block[frame * std::size_t(info.channels) + std::size_t(c)];
            mono[frame] = sum / float(info.channels);
        }
        rateChange.add(mono, out);
        if (options.progress)
            options.progress(
                decodingShare *
                std::min(1.0, lengthKnown ? double(decoded) / double(info.frames) : readShare()));
    }
    if (sf_error(file) != SF_ERR_NO_ERROR || (lengthKnown && decoded < info.frames))
        return failed(Problem::Truncated,
                      QStringLiteral("The file is damaged or cut short (%1 of %2 s read): %3")
                          .arg(secondsText(double(decoded) / info.samplerate),
                               secondsText(double(info.frames) / info.samplerate),
                               QString::fromUtf8(sf_strerror(file))));
    if (decoded == 0)
        return failed(Problem::NoAudio, QStringLiteral("The file holds no audio."));
    rateChange.flush(out);

    // Decoded samples of a damaged stream can be anything: keep them finite and within reach.
    for (float& s : out)
        s = std::isfinite(s) ? std::clamp(s, -8.0f, 8.0f) : 0.0f;
    auto [from, to] = audibleSpan(out);
    if (from == to)
        return failed(Problem::Silent,
                      QStringLiteral("The sound is silent: nothing in it reaches %1 dBFS.")
                          .arg(SoundImport::silenceThreshold));
    if (!options.trimSilence) {
        from = 0;
        to = out.size();
    }
    Result result;
    result.samples =
        LoudnessFinish::finish(std::span(out).subspan(from, to - from), SoundImport::rate);
    result.waveImage = WaveImage::fromPcm16Mono(result.samples, SoundImport::rate);
    if (options.progress)
        options.progress(1.0);
    return result;
}

// libsndfile keeps the reason a file did not open in one place for all threads: two imports
// failing at once must not swap their reasons.
QMutex openingLock;

File open(const std::function<SNDFILE*()>& opening, QString* reason) {
    const QMutexLocker lock(&openingLock);
    File file(opening());
    if (!file)
        *reason =
            QStringLiteral("Cannot read the file: %1").arg(QString::fromUtf8(sf_strerror(nullptr)));
    return file;
}

} // namespace

SoundImport::Result SoundImport::fromFile(const QString& path, const Options& options) {
    SF_INFO info{};
    QString reason;
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly))
        return failed(Problem::Unreadable,
                      QStringLiteral("Cannot read the file: %1").arg(source.errorString()));
    const File file =
        open([&] { return sf_open_fd(source.handle(), SFM_READ, &info, 0); }, &reason);
    if (!file)
        return failed(Problem::Unreadable, reason);
    const double size = std::max<double>(1, double(source.size()));
    return decode(file.get(), info, options,
                  [&] { return double(::lseek(source.handle(), 0, SEEK_CUR)) / size; });
}

SoundImport::Result SoundImport::fromMemory(QByteArrayView bytes, const Options& options) {
    Memory memory{bytes};
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    SF_INFO info{};
    QString reason;
    const File file = open([&] { return sf_open_virtual(&io, SFM_READ, &info, &memory); }, &reason);
    if (!file)
        return failed(Problem::Unreadable, reason);
    const double size = std::max<double>(1, double(bytes.size()));
    return decode(file.get(), info, options, [&] { return double(memory.position) / size; });
}
