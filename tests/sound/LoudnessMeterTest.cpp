// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/LoudnessMeter.h"

#include "sound/WaveImage.h"
#include "support/WaveImage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace {

std::vector<float> sine(double seconds, double frequency, double dbfs, int rate) {
    const double amplitude = std::pow(10.0, dbfs / 20.0);
    std::vector<float> out(std::size_t(seconds * rate));
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = float(amplitude * std::sin(2 * std::numbers::pi * frequency * double(i) / rate));
    return out;
}

std::vector<float> operator+(std::vector<float> a, const std::vector<float>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(LoudnessMeter, At48kHzTheFiltersAreTheStandardsTable) {
    const auto stages = LoudnessMeter::kWeighting(48000);
    const double expected[2][5] = {
        {1.53512485958697, -2.69169618940638, 1.19839281085285, -1.69065929318241,
         0.73248077421585},
        {1.0, -2.0, 1.0, -1.99004745483398, 0.99007225036621},
    };
    for (int s = 0; s < 2; ++s) {
        SCOPED_TRACE(s);
        const auto& b = stages[std::size_t(s)];
        const double got[5] = {b.b0, b.b1, b.b2, b.a1, b.a2};
        for (int i = 0; i < 5; ++i)
            EXPECT_NEAR(got[i], expected[s][i], 1e-10) << i;
    }
}

TEST(LoudnessMeter, ReadsKnownSignals) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        std::vector<float> samples;
        int rate;
        double lufs;
        double tolerance;
    };
    const Case cases[] = {
        {"FullScale997HzAt48k", sine(5, 997, 0, 48000), 48000, -3.01, 0.01},
        {"FullScale997HzAt22050", sine(5, 997, 0, 22050), 22050, -3.01, 0.1},
        {"FullScale997HzAt44100", sine(5, 997, 0, 44100), 44100, -3.01, 0.1},
        {"Minus20dBFSAt22050", sine(5, 997, -20, 22050), 22050, -23.01, 0.1},
        // The shelf lifts high tones by about 4 dB, the high-pass takes low ones down.
        {"HighToneLifted", sine(5, 6000, -20, 22050), 22050, -19.61, 0.1},
        {"LowToneLowered", sine(5, 25, -20, 22050), 22050, -34.04, 0.1},
        {"Silence", std::vector<float>(22050 * 3, 0.0f), 22050, -inf, 0},
        {"ShorterThanOneBlock", sine(0.399, 997, 0, 22050), 22050, -inf, 0},
        {"ExactlyOneBlock", sine(0.4, 997, 0, 22050), 22050, -3.01, 0.15},
        {"BelowTheAbsoluteGate", sine(5, 997, -67.5, 22050), 22050, -inf, 0},
        {"JustAboveTheAbsoluteGate", sine(5, 997, -66.5, 22050), 22050, -69.51, 0.1},
        // Digital silence and a tone far below the rest fall under the gates: the loud part
        // alone is measured, not the mean of it all (-26).
        {"SilenceGated", sine(10, 997, -20, 22050) + std::vector<float>(220500, 0.0f), 22050,
         -23.05, 0.1},
        {"QuietPartGatedRelatively", sine(10, 997, -20, 22050) + sine(10, 997, -50, 22050), 22050,
         -23.05, 0.1},
        // 400 ms of tone between 0.2 s and 0.6 s: the overlapping blocks hold 2, 3, 4, 3, 2 and
        // 1 quarters of it (-2.04 dB in the mean); blocks side by side would hold 2 and 2 (-3.01).
        {"BlocksOverlap",
         std::vector<float>(4410, 0.0f) + sine(0.4, 997, -20, 22050) +
             std::vector<float>(13230, 0.0f),
         22050, -25.05, 0.1},
        // A quiet part within 10 LU of the gate's mean (-25.5) counts and lowers the result.
        {"QuietPartAboveTheRelativeGate", sine(10, 997, -20, 22050) + sine(10, 997, -29, 22050),
         22050, -25.5, 0.15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const double lufs = LoudnessMeter::integratedLoudness(c.samples, c.rate);
        if (std::isinf(c.lufs))
            EXPECT_EQ(lufs, c.lufs);
        else
            EXPECT_NEAR(lufs, c.lufs, c.tolerance);
    }
}

TEST(LoudnessMeter, SumsTheChannelsAndTakesFramesInAnyPieces) {
    const std::vector<float> mono = sine(3, 997, -20, 22050);
    std::vector<float> stereo;
    for (float s : mono) {
        stereo.push_back(s);
        stereo.push_back(s);
    }
    LoudnessMeter whole(22050, 2);
    whole.add(stereo);
    // Odd pieces split frames between calls.
    LoudnessMeter pieces(22050, 2);
    for (std::size_t at = 0; at < stereo.size(); at += 1001)
        pieces.add(std::span(stereo).subspan(at, std::min<std::size_t>(1001, stereo.size() - at)));

    const double one = LoudnessMeter::integratedLoudness(mono, 22050);
    EXPECT_NEAR(whole.integratedLoudness() - one, 3.01, 0.01);
    EXPECT_DOUBLE_EQ(pieces.integratedLoudness(), whole.integratedLoudness());
}

TEST(LoudnessMeter, MeasuresPcmWaveImages) {
    const double direct = LoudnessMeter::integratedLoudness(sine(2, 440, -4.437, 22050), 22050);
    const auto fromImage = LoudnessMeter::ofWaveImage(sineWave(2, 440)); // amplitude 0.6
    ASSERT_TRUE(fromImage.has_value());
    EXPECT_NEAR(*fromImage, direct, 0.02);

    std::vector<std::int16_t> silence(22050, 0);
    EXPECT_EQ(LoudnessMeter::ofWaveImage(WaveImage::fromPcm16Mono(silence, 22050)),
              -std::numeric_limits<double>::infinity());

    QByteArray floatFormat = sineWave(1, 440);
    floatFormat[20] = 3; // IEEE float
    QByteArray noRate = sineWave(1, 440);
    noRate[24] = noRate[25] = noRate[26] = noRate[27] = 0;
    for (const QByteArray& unreadable :
         {QByteArray(), QByteArray("RIFF"), sineWave(1, 440).left(40), floatFormat, noRate})
        EXPECT_FALSE(LoudnessMeter::ofWaveImage(unreadable).has_value()) << unreadable.size();
}

} // namespace
