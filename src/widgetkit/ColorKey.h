// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRegion>
#include <QRgb>

// Pictures mark "not part of me" with pure magenta, as the skins of the windows do.
namespace ColorKey {

inline constexpr QRgb Key = 0xFFFF00FFu;

inline bool isKey(QRgb pixel) {
    return (pixel | 0xFF000000u) == Key;
}

// A copy with every key pixel fully transparent; other pixels keep their colour and alpha.
QImage cutKey(const QImage& image);

// The pixels that are not the key, as a region in the image's coordinates: a window shaped by
// its skin.
QRegion regionWithoutKey(const QImage& image);

} // namespace ColorKey
