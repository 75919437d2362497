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
// `qtPlugins` is Qt's own plugin folder, where a Wayland session without X needs Qt's Wayland
// platform plugin: without it Qt aborts with a message of its own.
QString problem(const Environment& environment, const LocalDisplayReachable& reachable,
                const QString& qtPlugins);

// Whether Qt will find its Wayland platform plugin: in QT_QPA_PLATFORM_PLUGIN_PATH, in
// "platforms" under a folder of QT_PLUGIN_PATH or under `qtPlugins`.
bool waylandPluginPresent(const Environment& environment, const QString& qtPlugins);
QString qtPluginsPath();

// What the user should know about the platform Qt started on, as one line; empty: nothing.
QString platformNote(const QString& platformName);

// The real test: connects to the display's socket (abstract or in /tmp/.X11-unix).
bool localDisplayReachable(int displayNumber);

} // namespace DisplayCheck
