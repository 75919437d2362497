// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringList>

// The client-action log: one line per client, name + ":" + entry; a new entry for a name
// replaces that name's line (letter case ignored). Names are kept apart from the lines, so a
// name holding ":" still finds its own line and the log never holds more lines than there are
// client names.
class NetClientActionLog {
public:
    // What the window shows of one line; the rest is kept, not shown. A 63 KB line took the
    // window's text layout about 140 ms of the user-interface thread at every change.
    static constexpr qsizetype MaxShownCharacters = 1000;
    // The lines as the window shows them, one per row, each longer one cut and ended by "…".
    static QString shownText(const QStringList& lines);

    void put(const QString& name, const QString& entry);
    void clear();
    const QStringList& lines() const { return m_lines; }

private:
    QStringList m_names;
    QStringList m_lines;
};
