// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/IntegerText.h"

#include <limits>

namespace {

int digitValue(QChar c, int base) {
    const char16_t u = c.unicode();
    int value = base;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'a' && u <= u'f')
        value = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value < base ? value : -1;
}

} // namespace

std::optional<qint32> integerFromText(QStringView text) {
    qsizetype at = 0;
    while (at < text.size() && text[at] == u' ')
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) {
        negative = text[at] == u'-';
        ++at;
    }
    int base = 10;
    if (at < text.size() && text[at] == u'$') {
        base = 16;
        ++at;
    }
    if (at == text.size())
        return std::nullopt;

    // Decimal stops at the signed range (one more for a minus), "$" at the 32 bits.
    const quint64 limit = base == 16 ? std::numeric_limits<quint32>::max()
                                     : quint64{std::numeric_limits<qint32>::max()} + negative;
    quint64 magnitude = 0;
    for (; at < text.size(); ++at) {
        const int digit = digitValue(text[at], base);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    // Two's complement on 32 bits, so "$FFFFFFFF" is -1 and "-$80000000" the lowest value.
    quint32 bits = static_cast<quint32>(magnitude);
    if (negative)
        bits = 0u - bits;
    return static_cast<qint32>(bits);
}

QString notAnIntegerMessage(const QString& text) {
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}
