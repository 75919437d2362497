// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPainterPath>

// The main window's 800 by 600 skin and the pictures that sit on it.
namespace SkinArt {

// The window's outline: frame, title plaque, close-button medallion and the drips below.
QPainterPath shape();

// Opaque picture; pure magenta #FF00FF everywhere outside shape(), so the window's region can be
// read back from the pixels.
QImage skin();

// The start button's two faces: "Start" while the attraction is stopped, "Stop" while it runs.
enum class StartFace { Start, Stop };

// The start button, drawn over the piece of skin it covers so it needs no transparency.
// state: 0 normal, 1 pointer over, 2 pressed.
QImage startButton(const QImage& skin, bool russian, int state, StartFace face = StartFace::Start);

} // namespace SkinArt
