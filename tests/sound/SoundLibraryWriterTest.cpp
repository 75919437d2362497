// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SoundLibraryWriter.h"

#include "Finish.h"
#include "ImageSamples.h"
#include "LibraryBytes.h"
#include "SpecialtySounds.h"
#include "Synth.h"
#include "sound/LoudnessMeter.h"
#include "sound/SoundBlockDecoder.h"
#include "sound/SoundLibraryFormat.h"
#include "sound/TLMDWaveList.h"
#include "sound/WaveImage.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

using namespace LibraryBytes;

namespace {

void load(TLMDWaveList& list, QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    list.LoadSoundLibrary(buffer);
}

std::uint32_t at32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<std::uint32_t>(b.constData() + at);
}

QByteArray pcmRamp(int bytesLong) {
    QByteArray pcm;
    for (int i = 0; i < bytesLong; ++i)
        pcm.append(char((qint64(i) * i / 7) & 0xFF));
    return pcm;
}

TEST(SoundLibraryWriter, WritesHeaderTrueOffsetsAndFlags) {
    const QByteArray image = wave("abcdef");
    const QByteArray file = SoundLibraryWriter::write({{image, "door", 0x12345678, true},
                                                       {{}, {}, 0, false},
                                                       {image, {}, 3, false},
                                                       {{}, {}, 0, true}});
    ASSERT_EQ(file.left(9), signature());
    ASSERT_EQ(at32(file, 9), 4u);
    const std::uint8_t expectedFlags[] = {0x0F, 0x00, 0x0C, 0x01};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(quint8(file[at32(file, 13 + 4 * i)]), expectedFlags[i]) << i;
    EXPECT_EQ(at32(file, 13), 29u) << "the first record follows the table";
    // The plain record: flags, ident, S, image.
    const qsizetype third = at32(file, 21);
    EXPECT_EQ(at32(file, third + 1), 3u);
    EXPECT_EQ(at32(file, third + 5), std::uint32_t(image.size()));
    EXPECT_EQ(file.mid(third + 9, image.size()), image);

    TLMDWaveList list;
    load(list, file);
    ASSERT_EQ(list.count(), 4);
    EXPECT_EQ(list.wave(0).image(), image);
    EXPECT_EQ(list.item(0).Ident, 0x5678);
    EXPECT_EQ(list.item(0).Description, "door");
    EXPECT_TRUE(list.wave(1).isEmpty());
    EXPECT_EQ(list.wave(2).image(), image);
    EXPECT_FALSE(list.item(2).Compressed);
    EXPECT_TRUE(list.item(3).Compressed);
}

TEST(SoundLibraryWriter, CutsImagesIntoPiecesOf32781Bytes) {
    const QByteArray image = wave(pcmRamp(70000 - 44));
    const QByteArray data = SoundLibraryWriter::compressWave(image);
    const qsizetype total = qint32(at32(data, 0));
    EXPECT_EQ(total, data.size() - 4);

    std::vector<std::uint8_t> out(SoundLibraryFormat::pieceSize);
    std::vector<qsizetype> pieces;
    QByteArray joined;
    for (qsizetype at = 4; at < data.size();) {
        const qsizetype length = at32(data, at);
        const auto r = SoundBlockDecoder::decode(
            reinterpret_cast<const std::uint8_t*>(data.constData() + at + 4), std::size_t(length),
            out.data());
        ASSERT_EQ(r.error, nullptr);
        pieces.push_back(qsizetype(r.size));
        joined.append(reinterpret_cast<const char*>(out.data()), qsizetype(r.size));
        at += 4 + length;
    }
    EXPECT_EQ(pieces, (std::vector<qsizetype>{32781, 32781, 70000 - 2 * 32781}));
    EXPECT_EQ(joined, image);
}

TEST(SoundLibraryWriter, RefusesADescriptionOver255Bytes) {
    EXPECT_NO_THROW(SoundLibraryWriter::write({{{}, QByteArray(255, 'd'), 0, true}}));
    EXPECT_THROW(SoundLibraryWriter::write({{{}, QByteArray(256, 'd'), 0, true}}),
                 std::invalid_argument);
}

// ---- generated sounds -------------------------------------------------------------------------

TEST(SoundLibraryRoundTrip, GeneratedSoundsReadBackUnchanged) {
    for (int specialty = 0; specialty < SpecialtySounds::specialties; ++specialty) {
        SCOPED_TRACE(specialty);
        std::vector<SoundLibraryWriter::Sound> compressed;
        std::vector<SoundLibraryWriter::Sound> plain;
        for (const auto& s : SpecialtySounds::make(specialty, false)) {
            const QByteArray image =
                WaveImage::fromPcm16Mono(s.samples, SpecialtySounds::sampleRate);
            compressed.push_back({image, QByteArray::fromStdString(s.description), 0, true});
            plain.push_back({image, {}, 0, false});
        }
        const QByteArray packed = SoundLibraryWriter::write(compressed);
        EXPECT_LT(packed.size(), SoundLibraryWriter::write(plain).size());
        TLMDWaveList list;
        load(list, packed);
        ASSERT_EQ(list.count(), 10);
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(list.wave(i).image(), compressed[std::size_t(i)].image) << i;
            EXPECT_TRUE(list.item(i).Compressed);
        }
    }
}

TEST(SoundLibraryRoundTrip, GenerationIsReproducible) {
    const auto first = SpecialtySounds::make(3, false);
    const auto second = SpecialtySounds::make(3, false);
    ASSERT_EQ(first.size(), second.size());
    for (std::size_t i = 0; i < first.size(); ++i)
        EXPECT_EQ(first[i].samples, second[i].samples) << i;
}

// -1 dBFS in 16-bit samples, as the generator rounds it.
constexpr int peakCeilingSample = 29204;

int peakOf(const std::vector<std::int16_t>& samples) {
    int peak = 0;
    for (std::int16_t s : samples)
        peak = std::max(peak, std::abs(int(s)));
    return peak;
}

// Peak over RMS: what limiting lowers, and what a plain gain leaves alone.
template <typename Sample>
double crestDb(const std::vector<Sample>& samples) {
    double peak = 0;
    double energy = 0;
    for (Sample s : samples) {
        peak = std::max(peak, std::abs(double(s)));
        energy += double(s) * double(s);
    }
    return 20 * std::log10(peak / std::sqrt(energy / double(samples.size())));
}

TEST(Synth, FinishBringsASoundToTheTargetLoudnessUnderThePeakCeiling) {
    enum class Outcome {
        GainAlone,      // reaches the target without touching the ceiling: its shape is kept
        Limited,        // reaches the target with its peaks held at the ceiling
        TooSparseToLift // lone samples: limiting them takes away all a gain adds
    };
    struct Case {
        const char* name;
        Synth::Wave wave;
        Outcome outcome;
    };
    Synth::Wave tone(Synth::samples(3.0));
    for (std::size_t i = 0; i < tone.size(); ++i)
        tone[i] = float(0.01 * std::sin(2 * std::numbers::pi * 997 * double(i) / Synth::rate));
    Synth::Wave loudTone = tone;
    for (float& s : loudTone)
        s *= 90; // far above full scale
    Synth::Rng rng(3);
    Synth::Wave knocks = Synth::silence(3.0);
    for (int k = 0; k < 3; ++k)
        Synth::mix(knocks, Synth::impact({{180, 0.08, 1.0}, {430, 0.05, 0.5}}, 0.2, 0.4, rng),
                   0.1 + k * 0.9);
    Synth::Wave clicks(Synth::samples(3.0), 0.0f); // all energy in three samples
    for (int second = 0; second < 3; ++second)
        clicks[std::size_t(second * Synth::rate + 100)] = 0.5f;
    const Case cases[] = {{"QuietTone", tone, Outcome::GainAlone},
                          {"LoudTone", loudTone, Outcome::GainAlone},
                          {"Knocks", knocks, Outcome::Limited},
                          {"Clicks", clicks, Outcome::TooSparseToLift}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::int16_t> out = Synth::finish(c.wave);
        const double lufs = *LoudnessMeter::ofWaveImage(WaveImage::fromPcm16Mono(out, Synth::rate));
        EXPECT_LE(peakOf(out), peakCeilingSample);
        switch (c.outcome) {
        case Outcome::GainAlone:
            EXPECT_NEAR(lufs, Synth::targetLoudness, 0.05);
            // The finishing fades take a few hundredths of a dB off the RMS of a 3 s tone.
            EXPECT_NEAR(crestDb(out), crestDb(c.wave), 0.05);
            break;
        case Outcome::Limited:
            EXPECT_EQ(peakOf(out), peakCeilingSample);
            EXPECT_NEAR(lufs, Synth::targetLoudness, 0.05);
            break;
        case Outcome::TooSparseToLift:
            EXPECT_EQ(peakOf(out), peakCeilingSample);
            EXPECT_LT(lufs, Synth::targetLoudness - 1);
            break;
        }
    }
}

class ShippedLibrary : public ::testing::TestWithParam<QString> {};

// What a listener is promised: every sound within 1 LU of the target, none past the ceiling.
TEST_P(ShippedLibrary, EverySoundIsAtTheTargetLoudnessUnderThePeakCeiling) {
    TLMDWaveList list;
    list.LoadSoundLibrary(QDir(QStringLiteral(GLOAMERY_SOUND_DIR)).filePath(GetParam() + ".gsn"));
    ASSERT_EQ(list.count(), 10);
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        const QByteArray& image = list.wave(i).image();
        const std::vector<std::int16_t> samples = samplesOf(image);
        ASSERT_FALSE(samples.empty());
        EXPECT_LE(peakOf(samples), peakCeilingSample);
        EXPECT_NEAR(*LoudnessMeter::ofWaveImage(image), Synth::targetLoudness, 1.0);
    }
}

// The build wrote these files in another process, two libraries at a time; generating them here
// again must give the same samples, or a build could ship sounds no other build reproduces.
TEST_P(ShippedLibrary, MatchesAFreshGeneration) {
    const QString name = GetParam();
    TLMDWaveList list;
    list.LoadSoundLibrary(QDir(QStringLiteral(GLOAMERY_SOUND_DIR)).filePath(name + ".gsn"));
    const auto fresh = SpecialtySounds::make(name.left(1).toInt(), name.endsWith('b'));
    ASSERT_EQ(list.count(), int(fresh.size()));
    for (int i = 0; i < list.count(); ++i)
        EXPECT_EQ(samplesOf(list.wave(i).image()), fresh[std::size_t(i)].samples) << i;
}

TEST_P(ShippedLibrary, HoldsTenPlayableSoundsOfItsLength) {
    const QString name = GetParam();
    const QString path = QDir(QStringLiteral(GLOAMERY_SOUND_DIR)).filePath(name + ".gsn");
    // The program reads a whole library at every act: keep each a few megabytes at most.
    EXPECT_LT(QFileInfo(path).size(), 8 * 1024 * 1024);
    TLMDWaveList list;
    list.LoadSoundLibrary(path);
    ASSERT_EQ(list.count(), 10);
    const bool longSounds = name.endsWith('b');
    QSet<QByteArray> descriptions;
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        const auto format = WaveImage::format(list.wave(i).image());
        ASSERT_TRUE(format.has_value());
        EXPECT_EQ(format->formatTag, 1);
        EXPECT_EQ(format->channels, 1);
        EXPECT_EQ(format->sampleRate, 44100u);
        EXPECT_EQ(format->bitsPerSample, 16);
        EXPECT_TRUE(list.item(i).Compressed);
        if (longSounds) {
            EXPECT_GE(format->seconds(), 2.0);
            EXPECT_LE(format->seconds(), 8.0);
        } else {
            EXPECT_GE(format->seconds(), 0.3);
            EXPECT_LE(format->seconds(), 2.0);
        }
        descriptions.insert(list.item(i).Description);
    }
    EXPECT_EQ(descriptions.size(), 10);
}

INSTANTIATE_TEST_SUITE_P(Res, ShippedLibrary,
                         ::testing::Values("0b", "0m", "1b", "1m", "2b", "2m", "3b", "3m", "4b",
                                           "4m", "5b", "5m"),
                         [](const auto& c) { return c.param.toStdString(); });

} // namespace
