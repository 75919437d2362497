// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

// Small building blocks for the synthesised sounds: all deterministic, so every build makes the
// same files.
namespace Synth {

// Whispers, hisses and sparks carry much of their character above 11 kHz.
inline constexpr int rate = 44100;
using Wave = std::vector<float>;

// xorshift64*: the same sequence on every compiler, unlike the standard distributions.
class Rng {
public:
    explicit Rng(std::uint64_t seed)
        : m_state(seed * 0x9E3779B97F4A7C15ull + 1) {}
    double uniform(); // [0, 1)
    double range(double low, double high) { return low + (high - low) * uniform(); }
    double noise() { return uniform() * 2.0 - 1.0; }

private:
    std::uint64_t m_state;
};

// RBJ biquad, direct form I.
class Biquad {
public:
    static Biquad bandpass(double frequency, double q);
    static Biquad lowpass(double frequency, double q = 0.707);
    static Biquad highpass(double frequency, double q = 0.707);
    float operator()(float x);

private:
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

// A value over time: (seconds, value) points joined by straight lines; it holds before the first
// point and after the last.
using Curve = std::vector<std::pair<double, double>>;
double valueAt(const Curve& curve, double seconds);

// Random values on a lattice, joined smoothly: a slow, wandering quantity. The points are drawn
// as they are reached, so the same seed and the same order of reading give the same values.
class SmoothNoise {
public:
    explicit SmoothNoise(Rng& rng)
        : m_rng(rng) {}
    double at(double x); // in lattice steps from 0; -1..1

private:
    Rng& m_rng;
    std::vector<double> m_points;
};

struct Mode {
    double frequency;
    double decay; // seconds to fall by 60 dB
    double gain;
};

Wave silence(double seconds);
std::size_t samples(double seconds);
void mix(Wave& into, const Wave& sound, double atSeconds, double gain = 1.0);

// A struck object: decaying partials, a little noise for the contact.
Wave impact(const std::vector<Mode>& modes, double seconds, double noiseGain, Rng& rng);
// Filtered noise burst with an attack and an exponential decay.
Wave burst(double seconds, double attack, double decay, Biquad filter, Rng& rng);
// A rising sine chirp: the sound of a drop or a bubble.
Wave bubble(double seconds, double fromHz, double toHz, double decay);
// Room echo: a few feedback combs.
void reverb(Wave& wave, double amount);
void normalize(Wave& wave, double peak);
void fade(Wave& wave, double inSeconds, double outSeconds);

} // namespace Synth
