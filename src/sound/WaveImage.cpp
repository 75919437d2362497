// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/WaveImage.h"

#include <QtEndian>

#include <algorithm>

namespace {

void appendLe16(QByteArray& out, std::uint16_t v) {
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void appendLe32(QByteArray& out, std::uint32_t v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

std::uint32_t le32(const char* p) {
    return qFromLittleEndian<std::uint32_t>(p);
}

std::uint16_t le16(const char* p) {
    return qFromLittleEndian<std::uint16_t>(p);
}

} // namespace

double WaveImage::Format::seconds() const {
    if (byteRate == 0 || dataBytes < 0)
        return 0.0;
    return double(dataBytes) / double(byteRate);
}

QByteArray WaveImage::fromPcm16Mono(std::span<const std::int16_t> samples, int sampleRate) {
    const auto dataBytes = std::uint32_t(samples.size() * 2);
    QByteArray out;
    out.reserve(44 + qsizetype(dataBytes));
    out.append("RIFF", 4);
    appendLe32(out, 36 + dataBytes);
    out.append("WAVEfmt ", 8);
    appendLe32(out, 16);
    appendLe16(out, 1); // PCM
    appendLe16(out, 1);
    appendLe32(out, std::uint32_t(sampleRate));
    appendLe32(out, std::uint32_t(sampleRate) * 2);
    appendLe16(out, 2);
    appendLe16(out, 16);
    out.append("data", 4);
    appendLe32(out, dataBytes);
    for (std::int16_t s : samples)
        appendLe16(out, std::uint16_t(s));
    return out;
}

std::optional<WaveImage::Format> WaveImage::format(QByteArrayView image) {
    const char* p = image.data();
    const qsizetype size = image.size();
    if (size < 12 || QByteArrayView(p, 4) != "RIFF" || QByteArrayView(p + 8, 4) != "WAVE")
        return std::nullopt;

    std::optional<Format> found;
    qsizetype at = 12;
    while (size - at >= 8) {
        const QByteArrayView id(p + at, 4);
        const std::uint32_t chunkSize = le32(p + at + 4);
        const qsizetype body = at + 8;
        const qsizetype available = size - body;
        if (id == "fmt " && chunkSize >= 16 && available >= 16) {
            Format f;
            f.formatTag = le16(p + body);
            f.channels = le16(p + body + 2);
            f.sampleRate = le32(p + body + 4);
            f.byteRate = le32(p + body + 8);
            f.blockAlign = le16(p + body + 12);
            f.bitsPerSample = le16(p + body + 14);
            found = f;
        } else if (id == "data" && found) {
            // A truncated file holds less than its chunk claims: count what is there.
            found->dataBytes = std::min<qsizetype>(chunkSize, available);
            found->dataOffset = body;
            break;
        }
        if (qsizetype(chunkSize) > available)
            break;
        at = body + qsizetype(chunkSize) + (chunkSize & 1);
    }
    return found;
}
