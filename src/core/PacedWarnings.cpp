// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PacedWarnings.h"

std::optional<QString> PacedWarnings::admit(const QString& key, const QDateTime& now) {
    QString at = key;
    if (!m_entries.contains(at) && m_entries.size() >= m_maxKeys) {
        m_entries.removeIf([&](const auto& item) {
            return item.value().written.msecsTo(now) >= m_intervalMs && item.value().heldBack == 0;
        });
        // Still full: the newcomers share one entry, so the table stays bounded.
        if (m_entries.size() >= m_maxKeys)
            at = QString();
    }
    Entry& entry = m_entries[at];
    if (entry.written.isValid() && qAbs(entry.written.msecsTo(now)) < m_intervalMs) {
        ++entry.heldBack;
        return std::nullopt;
    }
    const int heldBack = std::exchange(entry.heldBack, 0);
    entry.written = now;
    if (heldBack == 0)
        return QString();
    return QStringLiteral(" (%1 more like it not shown)").arg(heldBack);
}
