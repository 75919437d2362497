// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgetkit/SkinColors.h"

// Colours of the main window, as RGB.
namespace MainWindowColors {
inline const QColor Background = SkinColors::WindowBlue;
inline const QColor Text{0xD7, 0xED, 0xFF};
inline const QColor LampStopped{0x00, 0x80, 0xC0};
inline const QColor AttractionLampRunning{0x00, 0xFF, 0xFF};
inline const QColor WebLampRunning{0xFF, 0x00, 0x00};
} // namespace MainWindowColors
