// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ProgramControl.h"

#include <optional>

// The four commands a network client can be granted, each run as the button or event a person
// would use: 1 starts the attraction, 2 stops it, 3 makes a ghost act now, 4 opens the door.
namespace NetCommands {

inline constexpr int Count = 4;

// No outcome for a number outside 1 … 4: such a command means nothing and changes nothing.
std::optional<ProgramControl::Outcome> run(ProgramControl& control, int command);

} // namespace NetCommands
