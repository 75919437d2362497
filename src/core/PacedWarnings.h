// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

#include <optional>

// Warnings of one kind, at most one per key (a client, an address) per interval: a flood of bad
// lines must not become a flood of log lines. The others are counted and their number goes
// with the next warning written.
class PacedWarnings {
public:
    PacedWarnings(qint64 intervalMs, int maxKeys)
        : m_intervalMs(intervalMs)
        , m_maxKeys(maxKeys) {}

    // The note to append to a warning that may be written now ("" or how many were held back),
    // or nothing when this one is held back too.
    std::optional<QString> admit(const QString& key, const QDateTime& now);

private:
    struct Entry {
        QDateTime written;
        int heldBack = 0;
    };

    qint64 m_intervalMs;
    int m_maxKeys;
    QHash<QString, Entry> m_entries;
};
