// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// Quiet unless switched on, e.g. QT_LOGGING_RULES="gloamery.*.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcApp)
Q_DECLARE_LOGGING_CATEGORY(lcStore)
Q_DECLARE_LOGGING_CATEGORY(lcSound)
Q_DECLARE_LOGGING_CATEGORY(lcDevice)
Q_DECLARE_LOGGING_CATEGORY(lcWeb)
Q_DECLARE_LOGGING_CATEGORY(lcNet)
// Every act of a ghost at the info level, so a person can see why a sound played, or did not.
Q_DECLARE_LOGGING_CATEGORY(lcGhosts)
Q_DECLARE_LOGGING_CATEGORY(lcHome)
Q_DECLARE_LOGGING_CATEGORY(lcSchedule)
