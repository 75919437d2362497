#pragma once

#include <QPixmap>

// The splash pictures, drawn in code so the splash needs no files.
namespace SplashArt {
QPixmap picture(int width, int height);
QPixmap loadingImage();
QPixmap finishedImage();
} // namespace SplashArt
