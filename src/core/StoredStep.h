// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <limits>

// One step of an arrow on a stored value. The store holds any 32-bit integer, including the ends
// of the range; a step past an end stays there instead of overflowing, and the wrap rules that
// follow still see a value above or below their range.
constexpr qint32 steppedStoredValue(qint32 value, int delta) {
    const qint64 stepped = qint64{value} + delta;
    if (stepped > std::numeric_limits<qint32>::max())
        return std::numeric_limits<qint32>::max();
    if (stepped < std::numeric_limits<qint32>::min())
        return std::numeric_limits<qint32>::min();
    return static_cast<qint32>(stepped);
}
