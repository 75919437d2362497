// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"
#include "schedule/ScheduleSettings.h"
#include "schedule/ScheduleText.h"

#include <QString>

// Whether a plan needs the sun's times, and so a location.
bool followsTheSun(const ScheduleRules& rules);

// Why these settings cannot be taken, in `language`; empty when they can. The rules must read,
// whether or not the schedule is on, and rules that follow the sun need a location.
QString checkScheduleSettings(const ScheduleSettings& settings, Language language);
