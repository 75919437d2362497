// SPDX-License-Identifier: GPL-3.0-or-later
#include "Creaks.h"
#include "Finish.h"
#include "GhostVoices.h"
#include "ImageSamples.h"
#include "Room.h"
#include "SpectralEnvelope.h"
#include "sound/TLMDWaveList.h"
#include "sound/WaveImage.h"

#include <QDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <numbers>

namespace {

constexpr int rate = 44100;

std::vector<double> tone(double hz, double amplitude, double seconds = 1.0) {
    std::vector<double> out(std::size_t(seconds * rate));
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = amplitude * std::sin(2 * std::numbers::pi * hz * double(i) / rate);
    return out;
}

std::vector<double> noise(std::uint32_t seed, double seconds = 1.0) {
    std::vector<double> out(std::size_t(seconds * rate));
    for (double& s : out) {
        seed = seed * 1664525u + 1013904223u;
        s = double(seed >> 8) / double(1 << 24) - 0.5;
    }
    return out;
}

// The measure itself: it must call alike what only differs in level or in chance, and apart what
// differs in colour, or the variety test below proves nothing.
TEST(SpectralEnvelope, SeparatesColourButNotLevelOrChance) {
    struct Case {
        const char* name;
        std::vector<double> a, b;
        double atLeast, atMost;
    };
    std::vector<double> quietNoise = noise(1);
    for (double& s : quietNoise)
        s *= 0.01;
    std::vector<double> toneInSilence = tone(1000, 0.5, 0.5);
    toneInSilence.resize(std::size_t(2 * rate), 0.0);
    const Case cases[] = {
        {"ToneAtTwoLevels", tone(1000, 0.5), tone(1000, 0.005), 0.0, 0.1},
        {"ToneAndTheSameToneWithSilenceAfter", tone(1000, 0.5), toneInSilence, 0.0, 1.5},
        {"NoiseOfTwoSeeds", noise(1), noise(2), 0.0, 1.0},
        {"NoiseAtTwoLevels", noise(1), quietNoise, 0.0, 0.1},
        {"AnOctaveApart", tone(500, 0.5), tone(1000, 0.5), 10.0, 1e9},
        {"ToneAndNoise", tone(1000, 0.5), noise(1), 10.0, 1e9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const double d = SpectralEnvelope::distance(SpectralEnvelope::of(c.a, rate),
                                                    SpectralEnvelope::of(c.b, rate));
        EXPECT_GE(d, c.atLeast);
        EXPECT_LE(d, c.atMost);
    }
}

// Within a library no two sounds may share one spectral envelope. Measured: a seed alone moves a
// creak, a moan, a laugh or any long sound by 0.4 to 1.3 dB (below, and a build whose second
// sound was its first recipe again with the next seed); the closest pairs of the libraries as
// built lie at 2.4 to 5.4 dB. 2 dB is well above the first and below the second. Lone clicks,
// drips and single steps are the exception: their bass, a few cycles of noise ringing in the
// room, moves them by 3 to 4.4 dB with the seed, so for them the test proves less than it does
// for the rest.
constexpr double distinctEnvelope = 2.0; // dB

// What the threshold must catch: one recipe with two seeds. Each pair here would fail the test
// below.
TEST(SoundVariety, OneRecipeWithTwoSeedsFallsUnderTheThreshold) {
    struct Case {
        const char* name;
        std::function<Synth::Wave(Synth::Rng&)> make;
    };
    const Case cases[] = {
        {"DoorCreak",
         [](Synth::Rng& r) {
             return Synth::doorCreak(r, 3.0, 0.2, 0.7);
         }},
        {"FloorCreak",
         [](Synth::Rng& r) {
             return Synth::floorCreak(r, 2.5, 0.3, 0.7);
         }},
        {"Moan",
         [](Synth::Rng& r) {
             return Synth::moan(r, 3.0, 120, 95);
         }},
        {"Laugh",
         [](Synth::Rng& r) {
             return Synth::laugh(r, 8, 130, 0.2);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::vector<double>> envelopes;
        for (std::uint64_t seed : {11u, 12u}) {
            Synth::Rng rng(seed);
            Synth::Wave wave = c.make(rng);
            Synth::placeInRoom(wave, {0.5, 0.25, 0.6, 1.0});
            envelopes.push_back(SpectralEnvelope::of(Synth::finish(std::move(wave)), rate));
        }
        const double d = SpectralEnvelope::distance(envelopes[0], envelopes[1]);
        std::printf("%s: two seeds %.2f dB\n", c.name, d);
        EXPECT_LT(d, distinctEnvelope);
    }
}

class ShippedLibraryVariety : public ::testing::TestWithParam<QString> {};

TEST_P(ShippedLibraryVariety, EveryTwoSoundsDifferInTheirSpectralEnvelope) {
    TLMDWaveList list;
    list.LoadSoundLibrary(QDir(QStringLiteral(GLOAMERY_SOUND_DIR)).filePath(GetParam() + ".gsn"));
    ASSERT_EQ(list.count(), 10);
    std::vector<std::vector<double>> envelopes;
    for (int i = 0; i < list.count(); ++i) {
        const auto samples = samplesOf(list.wave(i).image());
        ASSERT_FALSE(samples.empty()) << i;
        envelopes.push_back(SpectralEnvelope::of(samples, rate));
    }
    double closest = 1e9;
    for (std::size_t i = 0; i < envelopes.size(); ++i) {
        for (std::size_t j = i + 1; j < envelopes.size(); ++j) {
            const double d = SpectralEnvelope::distance(envelopes[i], envelopes[j]);
            closest = std::min(closest, d);
            EXPECT_GT(d, distinctEnvelope) << list.item(int(i)).Description.constData() << " / "
                                           << list.item(int(j)).Description.constData();
        }
    }
    RecordProperty("closest_pair_db", std::to_string(closest));
    std::printf("%s: closest pair %.2f dB\n", qPrintable(GetParam()), closest);
}

INSTANTIATE_TEST_SUITE_P(Res, ShippedLibraryVariety,
                         ::testing::Values("0b", "0m", "1b", "1m", "2b", "2m", "3b", "3m", "4b",
                                           "4m", "5b", "5m"),
                         [](const auto& c) { return c.param.toStdString(); });

} // namespace
