// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <optional>
#include <span>

// RIFF WAVE images: building one from samples, and reading what one holds for display.
class WaveImage {
public:
    struct Format {
        std::uint16_t formatTag = 0;
        std::uint16_t channels = 0;
        std::uint32_t sampleRate = 0;
        std::uint32_t byteRate = 0;
        std::uint16_t blockAlign = 0;
        std::uint16_t bitsPerSample = 0;
        std::int64_t dataBytes = -1;  // -1 when there is no data chunk
        std::int64_t dataOffset = -1; // where the samples start in the image

        double seconds() const;
    };

    static QByteArray fromPcm16Mono(std::span<const std::int16_t> samples, int sampleRate);

    // Walks the chunks of a RIFF WAVE image; empty when it is not one or has no format chunk.
    static std::optional<Format> format(QByteArrayView image);
};
