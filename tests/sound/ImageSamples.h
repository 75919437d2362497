// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/WaveImage.h"

#include <QByteArray>
#include <QtEndian>

#include <cstdint>
#include <vector>

// The 16-bit samples of a wave image; none when it is not a 16-bit wave.
inline std::vector<std::int16_t> samplesOf(const QByteArray& image) {
    const auto format = WaveImage::format(image);
    if (!format || format->dataOffset <= 0 || format->bitsPerSample != 16)
        return {};
    std::vector<std::int16_t> samples(std::size_t(format->dataBytes / 2));
    for (std::size_t k = 0; k < samples.size(); ++k)
        samples[k] = qFromLittleEndian<std::int16_t>(image.constData() + format->dataOffset +
                                                     2 * qsizetype(k));
    return samples;
}
