// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetUserData.h"

#include <algorithm>

NetUserData NetUserData::fromStored(QByteArrayView stored) {
    NetUserData record;
    const auto length = std::min<qsizetype>(stored.size(), Size);
    std::copy_n(stored.begin(), length, record.m_bytes.begin());
    return record;
}

QByteArray NetUserData::toBytes() const {
    return QByteArray(reinterpret_cast<const char*>(m_bytes.data()), Size);
}

QByteArray NetUserData::text(int offset) const {
    // The length byte can say at most 255, which the text area always holds.
    return QByteArray(reinterpret_cast<const char*>(m_bytes.data()) + offset + 1, m_bytes[offset]);
}

void NetUserData::setText(int offset, QByteArrayView text) {
    const auto length = std::min<qsizetype>(text.size(), TextCapacity);
    m_bytes[offset] = static_cast<quint8>(length);
    auto area = m_bytes.begin() + offset + 1;
    std::fill_n(area, TextCapacity, 0);
    std::copy_n(text.begin(), length, area);
}

bool NetUserData::right(int n) const {
    return n >= 1 && n <= RightCount && m_bytes[RightsOffset + n - 1] != 0;
}

void NetUserData::setRight(int n, bool allowed) {
    if (n >= 1 && n <= RightCount)
        m_bytes[RightsOffset + n - 1] = allowed ? 1 : 0;
}
