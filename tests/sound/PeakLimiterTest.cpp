// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/PeakLimiter.h"

#include "Synth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double ceiling = 0.5;

float peakOf(const Synth::Wave& wave) {
    float peak = 0;
    for (float s : wave)
        peak = std::max(peak, std::abs(s));
    return peak;
}

// A struck-metal tick: 3 kHz, gone within a few milliseconds, its peak near `at`.
void addClick(Synth::Wave& wave, std::size_t at, double peak) {
    for (std::size_t i = at; i < wave.size() && i < at + 400; ++i) {
        const double t = double(i - at) / Synth::rate;
        wave[i] += float(peak * std::exp(-t / 0.002) * std::cos(2 * std::numbers::pi * 3000 * t));
    }
}

TEST(PeakLimiter, LoudClicksComeOutAtTheCeiling) {
    const std::size_t length = Synth::samples(0.5);
    const std::size_t span = Synth::samples(PeakLimiter::lookahead);
    struct Case {
        const char* name;
        std::vector<std::size_t> clicks;
        double peak;
    };
    const Case cases[] = {
        {"InTheMiddle", {length / 2}, 4 * ceiling},
        {"FortyDecibelsOver", {length / 2}, 100 * ceiling},
        {"OnTheFirstSample", {0}, 4 * ceiling},
        {"WithinTheFirstLookahead", {span / 2}, 4 * ceiling},
        {"OnTheLastSample", {length - 1}, 4 * ceiling},
        {"TwoWithinOneLookahead", {length / 2, length / 2 + span / 3}, 3 * ceiling},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Synth::Wave wave(length, 0.0f);
        for (std::size_t at : c.clicks)
            addClick(wave, at, c.peak);
        PeakLimiter::limit(wave, ceiling, Synth::rate);
        EXPECT_LE(peakOf(wave), float(ceiling));
        // Held at the ceiling, not pushed down below it.
        EXPECT_GE(peakOf(wave), float(ceiling * 0.999));
    }
}

TEST(PeakLimiter, SoundsWithinTheCeilingPassUnchanged) {
    Synth::Wave quietTone(Synth::samples(1.0));
    for (std::size_t i = 0; i < quietTone.size(); ++i)
        quietTone[i] = float(0.3 * std::sin(2 * std::numbers::pi * 220 * double(i) / Synth::rate));
    Synth::Wave touching = quietTone;
    touching[1000] = float(ceiling);
    touching[2000] = -float(ceiling);
    for (const Synth::Wave& original : {quietTone, touching}) {
        Synth::Wave wave = original;
        PeakLimiter::limit(wave, ceiling, Synth::rate);
        EXPECT_EQ(wave, original);
    }
}

// A steady level with one loud sample in it shows the gain itself: out / in.
TEST(PeakLimiter, GainFallsSmoothlyBeforeAPeakAndRecoversSlowlyAfterIt) {
    constexpr float level = 0.1f;
    const std::size_t span = Synth::samples(PeakLimiter::lookahead);
    const std::size_t peakAt = Synth::samples(0.1);
    Synth::Wave wave(Synth::samples(0.3), level);
    wave[peakAt] = float(2 * ceiling);
    const Synth::Wave original = wave;
    PeakLimiter::limit(wave, ceiling, Synth::rate);
    std::vector<double> gain(wave.size());
    for (std::size_t i = 0; i < wave.size(); ++i)
        gain[i] = double(wave[i]) / double(original[i]);

    for (std::size_t i = 0; i + span < peakAt; ++i)
        ASSERT_EQ(wave[i], level) << "touched " << peakAt - i << " samples before the peak";
    EXPECT_NEAR(gain[peakAt], 0.5, 1e-6);
    const double steepest = 0.5 / double(span) + 1e-6;
    for (std::size_t i = peakAt - span; i < peakAt; ++i) {
        EXPECT_LE(gain[i + 1], gain[i]) << i;
        EXPECT_LE(gain[i] - gain[i + 1], steepest) << i;
    }
    for (std::size_t i = peakAt; i + 1 < gain.size(); ++i)
        ASSERT_GE(gain[i + 1], gain[i] - 1e-9) << i;
    // One look-ahead after the peak the gain has not jumped back, ten releases after it has.
    EXPECT_LT(gain[peakAt + span], 0.9);
    EXPECT_GT(gain[peakAt + Synth::samples(10 * PeakLimiter::release)], 0.999);
}

TEST(PeakLimiter, TheSameWaveIsLimitedTheSameWay) {
    Synth::Rng rng(7);
    Synth::Wave noise(Synth::samples(2.0));
    for (float& s : noise)
        s = float(rng.noise() * rng.noise() * 3.0);
    Synth::Wave first = noise;
    Synth::Wave second = noise;
    PeakLimiter::limit(first, ceiling, Synth::rate);
    PeakLimiter::limit(second, ceiling, Synth::rate);
    EXPECT_NE(first, noise);
    EXPECT_EQ(first, second);
}

} // namespace
