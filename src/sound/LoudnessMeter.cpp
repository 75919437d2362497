// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/LoudnessMeter.h"

#include "sound/WaveImage.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

// Both stages are fitted to the standard's 48 kHz table; from these analogue parameters the
// bilinear transform gives the filter for any other rate, where the table's coefficients would
// put the shelf and the high-pass at the wrong frequencies.
constexpr double shelfFrequency = 1681.974450955533;
constexpr double shelfGainDb = 3.999843853973347;
constexpr double shelfQ = 0.7071752369554196;
constexpr double shelfMidExponent = 0.4996667741545416;
constexpr double highPassFrequency = 38.13547087602444;
constexpr double highPassQ = 0.5003270373238773;

// The K-weighting lifts a 997 Hz tone by this much; taking it off again makes a full-scale sine
// read its RMS level.
constexpr double loudnessOffset = -0.691;

double loudnessOf(double meanSquare) {
    return loudnessOffset + 10.0 * std::log10(meanSquare);
}

} // namespace

std::array<LoudnessMeter::Biquad, 2> LoudnessMeter::kWeighting(int sampleRate) {
    std::array<Biquad, 2> stages;

    double k = std::tan(std::numbers::pi * shelfFrequency / sampleRate);
    const double vh = std::pow(10.0, shelfGainDb / 20.0);
    const double vb = std::pow(vh, shelfMidExponent);
    double a0 = 1.0 + k / shelfQ + k * k;
    stages[0].b0 = (vh + vb * k / shelfQ + k * k) / a0;
    stages[0].b1 = 2.0 * (k * k - vh) / a0;
    stages[0].b2 = (vh - vb * k / shelfQ + k * k) / a0;
    stages[0].a1 = 2.0 * (k * k - 1.0) / a0;
    stages[0].a2 = (1.0 - k / shelfQ + k * k) / a0;

    // The standard gives this stage's numerator as 1, -2, 1, unscaled; so do we.
    k = std::tan(std::numbers::pi * highPassFrequency / sampleRate);
    a0 = 1.0 + k / highPassQ + k * k;
    stages[1].b0 = 1.0;
    stages[1].b1 = -2.0;
    stages[1].b2 = 1.0;
    stages[1].a1 = 2.0 * (k * k - 1.0) / a0;
    stages[1].a2 = (1.0 - k / highPassQ + k * k) / a0;
    return stages;
}

double LoudnessMeter::Filter::operator()(double x) {
    const double y = stage.b0 * x + stage.b1 * x1 + stage.b2 * x2 - stage.a1 * y1 - stage.a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
}

LoudnessMeter::LoudnessMeter(int sampleRate, int channels)
    : m_channels(std::max(channels, 1)) {
    // Outside these the filters are meaningless (the shelf lies above half the rate).
    sampleRate = std::clamp(sampleRate, minSampleRate, maxSampleRate);
    m_segmentLength = std::size_t(std::lround(sampleRate / 10.0));
    const auto stages = kWeighting(sampleRate);
    for (int c = 0; c < m_channels; ++c) {
        m_filters.push_back({stages[0]});
        m_filters.push_back({stages[1]});
    }
    m_partialFrame.reserve(std::size_t(m_channels));
}

void LoudnessMeter::addFrame(const float* frame) {
    for (int c = 0; c < m_channels; ++c) {
        Filter* stages = &m_filters[2 * std::size_t(c)];
        const double weighted = stages[1](stages[0](frame[c]));
        m_segmentEnergy += weighted * weighted;
    }
    if (++m_segmentFrames == m_segmentLength) {
        m_segments.push_back(m_segmentEnergy);
        m_segmentEnergy = 0;
        m_segmentFrames = 0;
    }
}

void LoudnessMeter::add(std::span<const float> interleaved) {
    const std::size_t channels = std::size_t(m_channels);
    std::size_t at = 0;
    if (!m_partialFrame.empty()) {
        while (m_partialFrame.size() < channels && at < interleaved.size())
            m_partialFrame.push_back(interleaved[at++]);
        if (m_partialFrame.size() < channels)
            return;
        addFrame(m_partialFrame.data());
        m_partialFrame.clear();
    }
    for (; interleaved.size() - at >= channels; at += channels)
        addFrame(interleaved.data() + at);
    m_partialFrame.assign(interleaved.begin() + std::ptrdiff_t(at), interleaved.end());
}

double LoudnessMeter::integratedLoudness() const {
    constexpr std::size_t segmentsPerBlock = 4; // 400 ms blocks, 75 % overlap
    constexpr double silent = -std::numeric_limits<double>::infinity();
    const double blockLength = double(segmentsPerBlock * m_segmentLength);
    std::vector<double> blocks; // mean squares of the blocks above the absolute gate
    for (std::size_t j = 0; j + segmentsPerBlock <= m_segments.size(); ++j) {
        double energy = 0;
        for (std::size_t s = j; s < j + segmentsPerBlock; ++s)
            energy += m_segments[s];
        const double meanSquare = energy / blockLength;
        if (meanSquare > 0 && loudnessOf(meanSquare) > absoluteGate)
            blocks.push_back(meanSquare);
    }
    if (blocks.empty())
        return silent;

    double sum = 0;
    for (double z : blocks)
        sum += z;
    const double gate = loudnessOf(sum / double(blocks.size())) + relativeGate;
    double gatedSum = 0;
    std::size_t gatedCount = 0;
    for (double z : blocks) {
        if (loudnessOf(z) > gate) {
            gatedSum += z;
            ++gatedCount;
        }
    }
    // The relative gate lies below the mean, so the loudest block always passes it.
    return loudnessOf(gatedSum / double(gatedCount));
}

double LoudnessMeter::integratedLoudness(std::span<const float> mono, int sampleRate) {
    LoudnessMeter meter(sampleRate, 1);
    meter.add(mono);
    return meter.integratedLoudness();
}

std::optional<double> LoudnessMeter::ofWaveImage(QByteArrayView image) {
    const auto format = WaveImage::format(image);
    if (!format || format->formatTag != 1 || format->dataOffset < 0 || format->channels == 0)
        return std::nullopt;
    const int bytesPerSample = format->bitsPerSample / 8;
    if ((format->bitsPerSample != 8 && format->bitsPerSample != 16) ||
        format->blockAlign != format->channels * bytesPerSample ||
        format->sampleRate < std::uint32_t(minSampleRate) ||
        format->sampleRate > std::uint32_t(maxSampleRate))
        return std::nullopt;

    LoudnessMeter meter(int(format->sampleRate), format->channels);
    const char* data = image.data() + format->dataOffset;
    const std::int64_t count = format->dataBytes / bytesPerSample;
    // A slice at a time: the meter keeps no samples, neither should its feeder.
    std::vector<float> slice;
    constexpr std::int64_t sliceSamples = 1 << 16;
    for (std::int64_t done = 0; done < count;) {
        const std::int64_t n = std::min(sliceSamples, count - done);
        slice.resize(std::size_t(n));
        for (std::int64_t i = 0; i < n; ++i) {
            const char* p = data + (done + i) * bytesPerSample;
            slice[std::size_t(i)] = bytesPerSample == 1
                                        ? float((std::uint8_t(*p) - 128) / 128.0)
                                        : float(qFromLittleEndian<std::int16_t>(p) / 32768.0);
        }
        meter.add(slice);
        done += n;
    }
    return meter.integratedLoudness();
}
