// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FaultWatch.h"

FaultWatch::FaultWatch(Category category, QString subject)
    : m_category(category)
    , m_subject(std::move(subject)) {}

void FaultWatch::see(const QString& reason) {
    if (reason == m_reason)
        return;
    if (!reason.isEmpty())
        qCWarning(m_category).noquote() << m_subject << "is not working:" << reason;
    else
        qCInfo(m_category).noquote() << m_subject << "works again";
    m_reason = reason;
}
