// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "daemon/config/ConfigKey.h"

#include <QString>

#include <optional>
#include <span>

// How values are written on the command line, and keys built over a field of a loaded record.
// The field must outlive the key.
namespace ConfigValues {

// true/false, on/off, yes/no, 1/0.
std::optional<bool> parseBool(const QString& text);
QString boolText(bool value);
// "'<text>' is not a boolean: use true, false, ..."
QString notABoolean(const QString& text);

// A stored number and the word that stands for it.
struct Choice {
    qint32 value;
    const char* name;
};
// The word, or the number itself when a stored value has none.
QString choiceText(qint32 value, std::span<const Choice> choices);
// The word, or a number that has one (unless the words are numbers).
std::optional<qint32> parseChoice(const QString& text, std::span<const Choice> choices);

// "'<text>' is out of range: use <lowest> to <highest>"
QString outOfRange(const QString& text, qint32 lowest, qint32 highest);

ConfigKey boolKey(const QString& name, bool& field);
ConfigKey choiceKey(const QString& name, qint32& field, std::span<const Choice> choices);
// Read "as an integer", like every number the program's windows take.
ConfigKey integerKey(const QString& name, qint32& field, qint32 lowest, qint32 highest);
// `refusal` gives why a text is not taken, or empty; none: every text is taken.
ConfigKey textKey(const QString& name, QString& field,
                  std::function<QString(const QString&)> refusal = {}, bool secret = false);

} // namespace ConfigValues
