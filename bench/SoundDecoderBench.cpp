// SPDX-License-Identifier: GPL-3.0-or-later
// The sound library decoder against liblz4's on the same sound data, block by block: both expand
// the wave images of one library, cut into the library's pieces, and the output rate is compared.
#include "sound/SoundBlockDecoder.h"
#include "sound/SoundBlockEncoder.h"
#include "sound/SoundLibraryFormat.h"
#include "sound/TLMDWaveList.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

#include <lz4.h>
#include <map>
#include <string>
#include <vector>

namespace {

struct Blocks {
    std::vector<QByteArray> pieces; // the expanded data
    std::vector<QByteArray> ours;   // each piece as the library stores it
    std::vector<QByteArray> lz4;    // each piece as liblz4 packs it
    qint64 bytes = 0;
};

const Blocks& blocks(const char* name) {
    static std::map<std::string, Blocks> cache;
    Blocks& b = cache[name];
    if (!b.pieces.empty())
        return b;
    QFile file(QDir(QStringLiteral(GLOAMERY_SOUND_DIR)).filePath(QString::fromLatin1(name)));
    if (!file.open(QIODevice::ReadOnly))
        return b;
    TLMDWaveList list;
    list.LoadSoundLibrary(file);
    for (int i = 0; i < list.count(); ++i) {
        const QByteArray image = list.wave(i).image();
        for (qsizetype at = 0; at < image.size(); at += SoundLibraryFormat::pieceSize) {
            const QByteArray piece = image.mid(at, SoundLibraryFormat::pieceSize);
            b.pieces.push_back(piece);
            b.ours.push_back(SoundBlockEncoder::encode(piece));
            QByteArray packed(LZ4_compressBound(int(piece.size())), Qt::Uninitialized);
            packed.resize(LZ4_compress_default(piece.constData(), packed.data(), int(piece.size()),
                                               int(packed.size())));
            b.lz4.push_back(packed);
            b.bytes += piece.size();
        }
    }
    return b;
}

void BM_DecodeOurs(benchmark::State& state, const char* name) {
    const Blocks& b = blocks(name);
    if (b.pieces.empty()) {
        state.SkipWithError("library not built");
        return;
    }
    std::vector<std::uint8_t> out(SoundLibraryFormat::pieceSize);
    qint64 packed = 0;
    for (const QByteArray& block : b.ours)
        packed += block.size();
    for (auto _ : state) {
        for (const QByteArray& block : b.ours) {
            const auto result =
                SoundBlockDecoder::decode(reinterpret_cast<const std::uint8_t*>(block.constData()),
                                          std::size_t(block.size()), out.data());
            benchmark::DoNotOptimize(result);
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * b.bytes);
    state.counters["ratio"] = double(packed) / double(b.bytes);
}

void BM_DecodeLz4(benchmark::State& state, const char* name) {
    const Blocks& b = blocks(name);
    if (b.pieces.empty()) {
        state.SkipWithError("library not built");
        return;
    }
    std::vector<char> out(SoundLibraryFormat::pieceSize);
    qint64 packed = 0;
    for (const QByteArray& block : b.lz4)
        packed += block.size();
    for (auto _ : state) {
        for (const QByteArray& block : b.lz4) {
            const int n = LZ4_decompress_safe(block.constData(), out.data(), int(block.size()),
                                              int(out.size()));
            benchmark::DoNotOptimize(n);
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * b.bytes);
    state.counters["ratio"] = double(packed) / double(b.bytes);
}

} // namespace

#define GLOAMERY_DECODER_PAIR(label, file)                                                         \
    BENCHMARK_CAPTURE(BM_DecodeOurs, label, file)->Unit(benchmark::kMicrosecond);                  \
    BENCHMARK_CAPTURE(BM_DecodeLz4, label, file)->Unit(benchmark::kMicrosecond)

GLOAMERY_DECODER_PAIR(long_ghostly, "0b.gsn");
GLOAMERY_DECODER_PAIR(short_ghostly, "0m.gsn");
GLOAMERY_DECODER_PAIR(long_doorman, "1b.gsn");
GLOAMERY_DECODER_PAIR(long_plumber, "3b.gsn");
GLOAMERY_DECODER_PAIR(long_pedestrian, "5b.gsn");
GLOAMERY_DECODER_PAIR(short_postman, "4m.gsn");

BENCHMARK_MAIN();
