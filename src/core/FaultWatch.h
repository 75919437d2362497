// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>
#include <QString>

// One way a part of the program can fail, looked at again and again (every exchange, every
// opening). A failure seen at each 100 ms tick would flood the journal: it is logged when it
// appears or its reason changes, and said once more when it clears, so a fault that comes back
// is logged again.
class FaultWatch {
public:
    using Category = const QLoggingCategory& (*)();

    // `subject` starts each line, e.g. "Board 3".
    FaultWatch(Category category, QString subject);

    // An empty `reason`: it works.
    void see(const QString& reason);
    void clear() { see({}); }

    bool active() const { return !m_reason.isEmpty(); }
    const QString& reason() const { return m_reason; }

private:
    Category m_category;
    QString m_subject;
    QString m_reason;
};
