// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <cstdint>
#include <initializer_list>
#include <vector>

// Builds sound library bytes by hand, so tests can state exactly what is in a file.
namespace LibraryBytes {

inline QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

inline QByteArray le32(std::int64_t v) {
    QByteArray out;
    for (int i = 0; i < 4; ++i)
        out.append(char((std::uint64_t(v) >> (8 * i)) & 0xFF));
    return out;
}

inline QByteArray signature() {
    return QByteArray("\x08LMDWVL30", 9);
}

// Header, true offset table, records.
inline QByteArray library(const std::vector<QByteArray>& records) {
    QByteArray out = signature() + le32(std::int64_t(records.size()));
    std::int64_t offset = out.size() + 4 * std::int64_t(records.size());
    for (const QByteArray& r : records) {
        out += le32(offset);
        offset += r.size();
    }
    for (const QByteArray& r : records)
        out += r;
    return out;
}

// Compressed wave data: T, then each block with its length.
inline QByteArray blocks(const std::vector<QByteArray>& list) {
    QByteArray data;
    for (const QByteArray& b : list)
        data += le32(b.size()) + b;
    return le32(data.size()) + data;
}

// A minimal RIFF WAVE image: 44-byte header and the given sample bytes.
inline QByteArray wave(const QByteArray& pcm) {
    QByteArray out("RIFF");
    out += le32(36 + pcm.size());
    out += "WAVEfmt ";
    out += le32(16);
    out += bytes({1, 0, 1, 0}) + le32(22050) + le32(44100) + bytes({2, 0, 16, 0});
    out += "data" + le32(pcm.size()) + pcm;
    return out;
}

} // namespace LibraryBytes
