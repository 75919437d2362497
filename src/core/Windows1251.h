// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Stored records and wire bytes are single-byte Windows-1251. They are kept as bytes and decoded
// only for display: decoding them as UTF-8 would lose Cyrillic and make different texts equal.
class Windows1251 {
public:
    static QString decode(QByteArrayView bytes);
    // Empty when the text holds a character that Windows-1251 cannot represent.
    static std::optional<QByteArray> encode(QStringView text);
};
