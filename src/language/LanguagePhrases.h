// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"

#include <QString>

// Interface texts the program gained after the numbered table, whose numbers stay as they are:
// each in English and Russian, found by name rather than by number.
enum class Phrase {
    StartWithDesktop,
    StartAttractionWithProgram,
    SettingsHeldWithoutWindow, // %1: the process holding the settings
};

QString phrase(Phrase which, Language language);
