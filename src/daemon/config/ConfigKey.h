// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

// One key of `gloameryd config`: its name, its value as text, and how a text becomes its value.
struct ConfigKey {
    QString name;
    std::function<QString()> get;
    // Takes the text as the key's new value: empty, or why it was refused (nothing changed).
    std::function<QString(const QString&)> set;
    // A password: listed masked, given in full only when asked for by name.
    bool secret = false;
};
