// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

// The colours the skinned windows share, as RGB (the forms give them as $00BBGGRR).
namespace SkinColors {
// The background of the main window and of every dialog.
inline const QColor WindowBlue{0x36, 0x6A, 0xB3};
// Group boxes and their captions; also the underlined captions of clickable labels.
inline const QColor GroupBlue{0x12, 0x5B, 0xA1};
inline const QColor GroupBorder{0x4E, 0x86, 0xC4};
inline const QColor CaptionGreen{0xC8, 0xE1, 0xBB};
// Captions that head a choice: the durations, the web access accounts.
inline const QColor HeadingYellow{0xD9, 0xD9, 0x00};
// Edit fields and the lamps at rest.
inline const QColor FieldBlue{0x00, 0x80, 0xC0};
inline const QColor FieldBorder{0x0B, 0x4F, 0x86};
inline const QColor PaleText{0xD7, 0xED, 0xFF};
} // namespace SkinColors
