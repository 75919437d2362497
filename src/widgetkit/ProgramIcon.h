#pragma once

#include <QIcon>

#include <array>

// The ghost the desktop shows for the program: in its menu, on its windows and in the task bar.
// The artwork generator draws one picture per size as Img/Icon/app-<size>.png; the install
// copies them into the icon theme.
namespace ProgramIcon {

inline constexpr std::array Sizes{16, 24, 32, 48, 64, 128, 256};

// Every size found in the program's Res folder; sizes that are missing are left out.
QIcon load();

} // namespace ProgramIcon
