// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

#include <array>

// The ghost the desktop shows for the program: in its menu, on its windows and in the task bar.
// The artwork generator draws one picture per size as Img/Icon/app-<size>.png; the install
// copies them into the icon theme.
namespace ProgramIcon {

inline constexpr std::array Sizes{16, 24, 32, 48, 64, 128, 256};
// The sizes a window manager draws a window's icon at. Every window carries each size it is
// given as pixels, so the large ones reach the desktop through the icon theme alone.
inline constexpr std::array WindowSizes{16, 24, 32, 48, 64};

// The window icon: each of WindowSizes found in the program's Res folder; missing sizes are
// left out.
QIcon load();

} // namespace ProgramIcon
