// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPixmap>
#include <QRect>

// The splash pictures, drawn in code so the splash needs no files.
namespace SplashArt {
QPixmap picture(int width, int height);
QPixmap loadingImage();
QPixmap finishedImage();

// Where the splash shows its progress, over the picture.
inline constexpr QRect ProgressPlace{256, 18, 140, 15};
inline constexpr QRect StatusPlace{256, 6, 140, 11};
inline const QColor ProgressBack{0x1A, 0x14, 0x40};
inline const QColor ProgressGold{0xFB, 0xAD, 0x2E};

// The whole splash at its first tick: the picture, "loading" and an empty progress bar.
QPixmap firstLook(int width, int height);
} // namespace SplashArt
