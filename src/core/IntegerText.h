// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// A text read "as an integer" the way the program's users have always typed numbers: leading
// blanks are skipped (blanks only, no tabs or line ends), then an optional sign, then decimal
// digits or "$" and hexadecimal digits, and nothing after them. A decimal value must fit 32 bits
// signed; a "$" value may use all 32 bits ("$FFFFFFFF" is -1). Anything else has no value.
// QString::toInt differs on each point: it trims both ends and knows no "$".
std::optional<qint32> integerFromText(QStringView text);

// The message shown when a text holds no integer: "'<text>' is not a valid integer value".
QString notAnIntegerMessage(const QString& text);
