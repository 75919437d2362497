// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/EveningPlanHint.h"

#include <QLocale>
#include <QStringList>

QString EveningPlanHint::text(Language language) const {
    const bool russian = language == Language::Russian;
    const QLocale locale(russian ? QLocale::Russian : QLocale::English);
    const QString hhmm = QStringLiteral("HH:mm");
    QStringList parts;
    if (planEnds.isValid())
        parts.append((russian ? QStringLiteral("по плану до %1") : QStringLiteral("plan until %1"))
                         .arg(planEnds.toString(hhmm)));
    else if (nextPlanStart.isValid())
        parts.append(
            (russian ? QStringLiteral("следующий план: %1") : QStringLiteral("next plan: %1"))
                .arg(locale.toString(nextPlanStart, QStringLiteral("ddd HH:mm"))));
    if (quietUntil.isValid())
        parts.append((russian ? QStringLiteral("тишина до %1") : QStringLiteral("quiet until %1"))
                         .arg(quietUntil.toString(hhmm)));
    return parts.join(QStringLiteral("; "));
}
