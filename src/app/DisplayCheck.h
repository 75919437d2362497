// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

// Decisions taken before Qt starts, from the environment, so that the program neither aborts
// inside Qt nor lands on a platform where it cannot place its windows.
namespace DisplayCheck {

using Environment = std::function<QString(const char* name)>;
// Whether local X display number N accepts connections.
using LocalDisplayReachable = std::function<bool(int displayNumber)>;

// The Qt platform to ask for, or empty to leave Qt's choice: on a Wayland session with XWayland,
// "xcb", since the program places its windows and polls the pointer, which Wayland forbids.
QString preferredPlatform(const Environment& environment);

// Why no window can be shown, as one line for the user; empty when a display is there.
QString problem(const Environment& environment, const LocalDisplayReachable& reachable);

// The real test: connects to the display's socket (abstract or in /tmp/.X11-unix).
bool localDisplayReachable(int displayNumber);

} // namespace DisplayCheck
