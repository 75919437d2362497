// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>
#include <vector>

// The spectral envelope of a whole sound: its power in third-octave bands from 100 Hz to 16 kHz,
// averaged over the sound, in dB about the mean of the bands (so the level does not count). Its
// own FFT, so that a fault in the generator's filters cannot hide in the measure.
namespace SpectralEnvelope {

inline constexpr std::size_t frameLength = 4096;
inline constexpr int lowestBand = -10;            // thirds of an octave from 1 kHz: 100 Hz
inline constexpr int highestBand = 12;            // 16 kHz
inline constexpr double floorBelowLoudest = 1e-4; // 40 dB

inline void fft(std::vector<std::complex<double>>& x) {
    const std::size_t n = x.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(x[i], x[j]);
    }
    for (std::size_t length = 2; length <= n; length <<= 1) {
        const std::complex<double> step = std::polar(1.0, -2 * std::numbers::pi / double(length));
        for (std::size_t start = 0; start < n; start += length) {
            std::complex<double> w = 1;
            for (std::size_t k = 0; k < length / 2; ++k) {
                const auto even = x[start + k];
                const auto odd = w * x[start + k + length / 2];
                x[start + k] = even + odd;
                x[start + k + length / 2] = even - odd;
                w *= step;
            }
        }
    }
}

template <typename Sample>
std::vector<double> of(const std::vector<Sample>& samples, int sampleRate) {
    const int bands = highestBand - lowestBand + 1;
    std::vector<double> power(std::size_t(bands), 0.0);
    std::vector<double> window(frameLength);
    for (std::size_t i = 0; i < frameLength; ++i)
        window[i] = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * double(i) / frameLength);
    const double binHz = double(sampleRate) / frameLength;
    std::vector<std::complex<double>> frame(frameLength);
    for (std::size_t start = 0; start < samples.size(); start += frameLength / 2) {
        for (std::size_t i = 0; i < frameLength; ++i)
            frame[i] = start + i < samples.size() ? double(samples[start + i]) * window[i] : 0.0;
        fft(frame);
        for (int b = 0; b < bands; ++b) {
            const double centre = 1000.0 * std::pow(2.0, double(b + lowestBand) / 3.0);
            const auto from = std::size_t(std::ceil(centre * std::pow(2.0, -1.0 / 6) / binHz));
            const auto to = std::size_t(std::floor(centre * std::pow(2.0, 1.0 / 6) / binHz));
            for (std::size_t k = from; k <= to && k < frameLength / 2; ++k)
                power[std::size_t(b)] += std::norm(frame[k]);
        }
    }
    const double loudest = *std::max_element(power.begin(), power.end());
    std::vector<double> db(power.size());
    double mean = 0;
    for (std::size_t b = 0; b < power.size(); ++b) {
        // A band 40 dB under the loudest is all but masked, and its level is mostly the chance of
        // a few noise bins: counted as floor, so it neither tells sounds apart nor makes them
        // alike.
        db[b] = 10 * std::log10(std::max(power[b], loudest * floorBelowLoudest) + 1e-300);
        mean += db[b] / double(power.size());
    }
    for (double& v : db)
        v -= mean;
    return db;
}

// Root mean square of the band-by-band difference, in dB.
inline double distance(const std::vector<double>& a, const std::vector<double>& b) {
    double sum = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        sum += (a[i] - b[i]) * (a[i] - b[i]);
    return std::sqrt(sum / double(std::max<std::size_t>(1, a.size())));
}

} // namespace SpectralEnvelope
