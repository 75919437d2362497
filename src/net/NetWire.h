// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <initializer_list>

// The bytes of the client protocol: lines of fields, each field after an SOH, ended by LF. The
// bytes are never converted; CR is an ordinary byte.
namespace NetWire {

inline constexpr char FieldSeparator = '\x01';
inline constexpr char LineEnd = '\n';

// Field n of a line, counted from 1 (the command word); empty when the line has fewer fields.
QByteArrayView ExtractField(char separator, int fieldNumber, QByteArrayView line);

// The word, each field preceded by SOH, and LF.
QByteArray message(QByteArrayView word, std::initializer_list<QByteArrayView> fields = {});

// The fixed "UserVariables" line: values 1 … 160, with 5 and 10 "0" and 12 … 20 empty.
const QByteArray& userVariables();

} // namespace NetWire
