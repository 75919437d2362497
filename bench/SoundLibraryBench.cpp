// SPDX-License-Identifier: GPL-3.0-or-later
// How fast a sound library expands, against copying the same number of bytes.
#include "sound/SoundBlockEncoder.h"
#include "sound/SoundLibraryWriter.h"
#include "sound/TLMDWaveList.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

struct Library {
    QByteArray file;
    qint64 imageBytes = 0;
};

const Library& library(const char* name) {
    static std::map<std::string, Library> cache;
    Library& lib = cache[name];
    if (lib.file.isEmpty()) {
        QFile f(QDir(QStringLiteral(GLOAMERY_SOUND_DIR)).filePath(QString::fromLatin1(name)));
        if (!f.open(QIODevice::ReadOnly))
            return lib;
        lib.file = f.readAll();
        TLMDWaveList list;
        QBuffer buffer(&lib.file);
        buffer.open(QIODevice::ReadOnly);
        list.LoadSoundLibrary(buffer);
        for (int i = 0; i < list.count(); ++i)
            lib.imageBytes += list.wave(i).size();
    }
    return lib;
}

void BM_LoadSoundLibrary(benchmark::State& state, const char* name) {
    const Library& lib = library(name);
    if (lib.file.isEmpty()) {
        state.SkipWithError("library not built");
        return;
    }
    QByteArray file = lib.file;
    for (auto _ : state) {
        QBuffer buffer(&file);
        buffer.open(QIODevice::ReadOnly);
        TLMDWaveList list;
        list.LoadSoundLibrary(buffer);
        benchmark::DoNotOptimize(list.wave(0).data());
    }
    state.SetBytesProcessed(state.iterations() * lib.imageBytes);
    state.counters["file_bytes"] = double(lib.file.size());
    state.counters["image_bytes"] = double(lib.imageBytes);
}

// The floor: copying the expanded bytes from one buffer to a fresh one.
void BM_MemcpySameSize(benchmark::State& state, const char* name) {
    const Library& lib = library(name);
    std::vector<char> from(std::size_t(lib.imageBytes), 'x');
    for (auto _ : state) {
        std::vector<char> to(from.size());
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * lib.imageBytes);
}

void BM_EncodePiece(benchmark::State& state) {
    const Library& lib = library("3b.gsn");
    QBuffer buffer(const_cast<QByteArray*>(&lib.file));
    buffer.open(QIODevice::ReadOnly);
    TLMDWaveList list;
    list.LoadSoundLibrary(buffer);
    const QByteArray piece = list.wave(0).image().left(32781);
    for (auto _ : state)
        benchmark::DoNotOptimize(SoundBlockEncoder::encode(piece));
    state.SetBytesProcessed(state.iterations() * piece.size());
}

} // namespace

BENCHMARK_CAPTURE(BM_LoadSoundLibrary, long_plumber, "3b.gsn")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MemcpySameSize, long_plumber, "3b.gsn")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadSoundLibrary, long_pedestrian, "5b.gsn")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MemcpySameSize, long_pedestrian, "5b.gsn")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadSoundLibrary, short_ghostly, "0m.gsn")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MemcpySameSize, short_ghostly, "0m.gsn")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodePiece)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
