// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"

#include <QString>

// The name an edition goes by on the desktop: its executable, its menu entry
// (<name>.desktop) and its autostart entry.
inline QString editionName(Language editionLanguage) {
    return editionLanguage == Language::Russian ? QStringLiteral("gloamery-ru")
                                                : QStringLiteral("gloamery");
}
