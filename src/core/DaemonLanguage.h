// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"

#include <QString>

class MessageBoxes;
class SettingsStore;

// The language of the program without windows (its phone page, its log), kept in the program
// key as "Daemon_Language": 0 English, 1 Russian. The desktop editions keep their own.
class DaemonLanguage {
public:
    static const QString ValueName;

    // English when the value is missing, unreadable or neither 0 nor 1; a value of the wrong
    // type is reported through `messages` (may be null: only logged).
    static Language load(SettingsStore* store, MessageBoxes* messages);
    static void save(SettingsStore* store, MessageBoxes* messages, Language language);
};
