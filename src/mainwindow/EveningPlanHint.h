// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"

#include <QDateTime>
#include <QString>

// What the evening's plan has in store, for the hints of the lamp and the tray: "plan until
// 22:00", or "next plan: Fri 18:40", and "quiet until 19:00". Empty when there is no plan.
struct EveningPlanHint {
    QDateTime planEnds;
    QDateTime nextPlanStart;
    QDateTime quietUntil;

    QString text(Language language) const;
};
