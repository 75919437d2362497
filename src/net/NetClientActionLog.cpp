// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetClientActionLog.h"

void NetClientActionLog::put(const QString& name, const QString& entry) {
    const QString line = name + u':' + entry;
    for (qsizetype i = 0; i < m_names.size(); ++i) {
        if (m_names[i].compare(name, Qt::CaseInsensitive) == 0) {
            m_lines[i] = line;
            return;
        }
    }
    m_names.append(name);
    m_lines.append(line);
}

void NetClientActionLog::clear() {
    m_names.clear();
    m_lines.clear();
}

QString NetClientActionLog::shownText(const QStringList& lines) {
    QStringList shown;
    shown.reserve(lines.size());
    for (const QString& line : lines) {
        if (line.size() <= MaxShownCharacters)
            shown.append(line);
        else
            shown.append(line.first(MaxShownCharacters) + QChar(u'\u2026'));
    }
    return shown.join(u'\n');
}
