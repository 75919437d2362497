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
    void put(const QString& name, const QString& entry);
    void clear();
    const QStringList& lines() const { return m_lines; }

private:
    QStringList m_names;
    QStringList m_lines;
};
