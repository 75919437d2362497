// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>

// The one place where windows are put on a screen: positions are taken relative to the screen's
// available area, offset included, so with several monitors a window lands on the screen it
// was meant for and not on whichever monitor holds the desktop's origin.
namespace ScreenPlacement {

// Centred across `area` (the halving truncates toward zero, so a window wider than the area
// reaches out on both sides), `top` pixels below the area's top.
QPoint centred(const QRect& area, int width, int top);

} // namespace ScreenPlacement
