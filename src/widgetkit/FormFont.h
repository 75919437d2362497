// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

// A font the windows name by the family their forms were drawn with ("Verdana", "Arial",
// "Courier"); where it is not installed, a close match that has Cyrillic glyphs stands in.
QFont FormFont(const char* family, int pixelSize, bool bold = false, bool underlined = false);
