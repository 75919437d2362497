// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

// Integrated loudness after ITU-R BS.1770 (EBU R128): K-weighted mean square over 400 ms blocks
// that overlap by 75 %, gated at -70 LUFS and then 10 LU below the mean of what passed. Every
// channel weighs 1, as left, right and centre do. Samples come frame by frame, so a long sound
// costs no memory beyond one number per 100 ms.
class LoudnessMeter {
public:
    struct Biquad {
        double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    };

    static constexpr double absoluteGate = -70.0; // LUFS
    static constexpr double relativeGate = -10.0; // LU below the loudness of the blocks above
                                                  // the absolute gate
    static constexpr int minSampleRate = 8000;
    static constexpr int maxSampleRate = 384000;

    // A rate outside minSampleRate..maxSampleRate is taken as the nearest; fewer than one
    // channel as one.
    LoudnessMeter(int sampleRate, int channels);

    // The two K-weighting stages (the head's shelf, then the high-pass) for a sample rate, by the
    // bilinear transform of their analogue prototypes.
    static std::array<Biquad, 2> kWeighting(int sampleRate);

    // Interleaved frames, full scale at +-1; a trailing partial frame is kept for the next call.
    void add(std::span<const float> interleaved);

    // LUFS; minus infinity when no block passes the gates (silence, or shorter than 400 ms).
    double integratedLoudness() const;

    static double integratedLoudness(std::span<const float> mono, int sampleRate);
    // Of a PCM wave image (8 or 16 bits); empty for anything the meter cannot read.
    static std::optional<double> ofWaveImage(QByteArrayView image);

private:
    struct Filter {
        Biquad stage;
        double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
        double operator()(double x);
    };

    void addFrame(const float* frame);

    int m_channels;
    std::size_t m_segmentLength = 0; // 100 ms: the step between blocks, a quarter of one
    std::vector<Filter> m_filters;   // two per channel
    std::vector<double> m_segments;  // K-weighted energy of each complete 100 ms
    double m_segmentEnergy = 0;
    std::size_t m_segmentFrames = 0;
    std::vector<float> m_partialFrame;
};
