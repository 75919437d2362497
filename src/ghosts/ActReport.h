// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ActTrigger.h"

#include <QDateTime>
#include <QString>
#include <QTime>

struct CurrentAct;

// The lines that tell a person, in the gloamery.ghosts log, which ghost acted and why, or why a
// chosen ghost kept quiet.
namespace ActReport {

// `ghost 3 "Anna": postman, 4b.gsn #7, on the left, triggered by sensor input 7 (board 1)`
QString acted(const CurrentAct& act, const QString& name, const ActTrigger& trigger);
// `ghost 2 "Boris" skipped: working time Night (20:00 to 8:00), it is 14:05; triggered by ...`
// `now` matters only for the regimes tied to the hour.
QString skipped(const CurrentAct& act, const QString& name, QTime now, const ActTrigger& trigger);
// Nothing to choose from: no ghost switched on (or, for a sensor, none listening and ready).
QString nobody(const ActTrigger& trigger);
// Sensors count only while the attraction runs.
QString attractionStopped(const ActTrigger& trigger);
// `no ghost acted: quiet hours until 19:00; triggered by ...`
QString quietHours(const ActTrigger& trigger, const QDateTime& until);
QString trigger(const ActTrigger& trigger);

} // namespace ActReport
