// SPDX-License-Identifier: GPL-3.0-or-later
#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Synth {

namespace {
constexpr double twoPi = 2.0 * std::numbers::pi;

double decayFactor(double seconds) {
    return std::pow(0.001, 1.0 / (std::max(seconds, 0.001) * rate));
}
} // namespace

double Rng::uniform() {
    m_state ^= m_state >> 12;
    m_state ^= m_state << 25;
    m_state ^= m_state >> 27;
    return double((m_state * 0x2545F4914F6CDD1Dull) >> 11) * (1.0 / 9007199254740992.0);
}

double valueAt(const Curve& curve, double seconds) {
    if (curve.empty())
        return 0;
    if (seconds <= curve.front().first)
        return curve.front().second;
    for (std::size_t k = 1; k < curve.size(); ++k) {
        const auto& [t1, v1] = curve[k];
        if (seconds < t1) {
            const auto& [t0, v0] = curve[k - 1];
            return t1 > t0 ? v0 + (v1 - v0) * (seconds - t0) / (t1 - t0) : v1;
        }
    }
    return curve.back().second;
}

double SmoothNoise::at(double x) {
    const auto cell = std::size_t(std::max(0.0, x));
    while (m_points.size() < cell + 2)
        m_points.push_back(m_rng.noise());
    const double f = std::max(0.0, x) - double(cell);
    const double smooth = f * f * (3 - 2 * f);
    return m_points[cell] + (m_points[cell + 1] - m_points[cell]) * smooth;
}

Biquad Biquad::bandpass(double frequency, double q) {
    Biquad f;
    const double w = twoPi * frequency / rate;
    const double alpha = std::sin(w) / (2 * q);
    const double a0 = 1 + alpha;
    f.b0 = alpha / a0;
    f.b1 = 0;
    f.b2 = -alpha / a0;
    f.a1 = -2 * std::cos(w) / a0;
    f.a2 = (1 - alpha) / a0;
    return f;
}

Biquad Biquad::lowpass(double frequency, double q) {
    Biquad f;
    const double w = twoPi * frequency / rate;
    const double alpha = std::sin(w) / (2 * q);
    const double a0 = 1 + alpha;
    const double c = std::cos(w);
    f.b0 = (1 - c) / 2 / a0;
    f.b1 = (1 - c) / a0;
    f.b2 = f.b0;
    f.a1 = -2 * c / a0;
    f.a2 = (1 - alpha) / a0;
    return f;
}

Biquad Biquad::highpass(double frequency, double q) {
    Biquad f;
    const double w = twoPi * frequency / rate;
    const double alpha = std::sin(w) / (2 * q);
    const double a0 = 1 + alpha;
    const double c = std::cos(w);
    f.b0 = (1 + c) / 2 / a0;
    f.b1 = -(1 + c) / a0;
    f.b2 = f.b0;
    f.a1 = -2 * c / a0;
    f.a2 = (1 - alpha) / a0;
    return f;
}

float Biquad::operator()(float x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return float(y);
}

std::size_t samples(double seconds) {
    return std::size_t(std::max(0.0, seconds) * rate);
}

Wave silence(double seconds) {
    return Wave(samples(seconds), 0.0f);
}

void mix(Wave& into, const Wave& sound, double atSeconds, double gain) {
    const std::size_t at = samples(atSeconds);
    if (into.size() < at + sound.size())
        into.resize(at + sound.size(), 0.0f);
    for (std::size_t i = 0; i < sound.size(); ++i)
        into[at + i] += float(sound[i] * gain);
}

Wave impact(const std::vector<Mode>& modes, double seconds, double noiseGain, Rng& rng) {
    Wave out(samples(seconds), 0.0f);
    for (const Mode& mode : modes) {
        const double k = decayFactor(mode.decay);
        const double phase = rng.range(0, twoPi);
        double amplitude = mode.gain;
        for (std::size_t i = 0; i < out.size(); ++i) {
            out[i] +=
                float(amplitude * std::sin(twoPi * mode.frequency * double(i) / rate + phase));
            amplitude *= k;
        }
    }
    const double k = decayFactor(0.02);
    double amplitude = noiseGain;
    for (std::size_t i = 0; i < out.size() && amplitude > 1e-4; ++i) {
        out[i] += float(amplitude * rng.noise());
        amplitude *= k;
    }
    return out;
}

Wave burst(double seconds, double attack, double decay, Biquad filter, Rng& rng) {
    Wave out(samples(seconds), 0.0f);
    const double k = decayFactor(decay);
    const std::size_t attackSamples = std::max<std::size_t>(1, samples(attack));
    double amplitude = 1.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double rise = std::min(1.0, double(i) / double(attackSamples));
        out[i] = filter(float(rng.noise() * rise * amplitude));
        if (i >= attackSamples)
            amplitude *= k;
    }
    return out;
}

Wave bubble(double seconds, double fromHz, double toHz, double decay) {
    Wave out(samples(seconds), 0.0f);
    const double k = decayFactor(decay);
    double amplitude = 1.0;
    double phase = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / double(out.size());
        phase += (fromHz * std::pow(toHz / fromHz, t)) / rate;
        out[i] = float(amplitude * std::sin(twoPi * phase));
        amplitude *= k;
    }
    return out;
}

void reverb(Wave& wave, double amount) {
    const std::size_t tail = samples(0.6);
    wave.resize(wave.size() + tail, 0.0f);
    const Wave dry = wave;
    for (double delay : {0.0297, 0.0371, 0.0411, 0.0437}) {
        const std::size_t d = samples(delay);
        Wave comb(wave.size(), 0.0f);
        for (std::size_t i = 0; i < comb.size(); ++i)
            comb[i] = dry[i] + (i >= d ? float(0.72 * comb[i - d]) : 0.0f);
        for (std::size_t i = 0; i < wave.size(); ++i)
            wave[i] += float(amount * 0.25 * comb[i]);
    }
}

void normalize(Wave& wave, double peak) {
    float highest = 0;
    for (float s : wave)
        highest = std::max(highest, std::abs(s));
    if (highest > 0)
        for (float& s : wave)
            s *= float(peak / highest);
}

void fade(Wave& wave, double inSeconds, double outSeconds) {
    const std::size_t in = std::min(wave.size(), samples(inSeconds));
    const std::size_t out = std::min(wave.size(), samples(outSeconds));
    for (std::size_t i = 0; i < in; ++i)
        wave[i] *= float(double(i) / double(in));
    for (std::size_t i = 0; i < out; ++i)
        wave[wave.size() - 1 - i] *= float(double(i) / double(out));
}

} // namespace Synth
