// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/LogCategories.h"

Q_LOGGING_CATEGORY(lcApp, "gloamery.app", QtWarningMsg)
Q_LOGGING_CATEGORY(lcStore, "gloamery.store", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSound, "gloamery.sound", QtWarningMsg)
Q_LOGGING_CATEGORY(lcDevice, "gloamery.device", QtWarningMsg)
Q_LOGGING_CATEGORY(lcWeb, "gloamery.web", QtWarningMsg)
Q_LOGGING_CATEGORY(lcNet, "gloamery.net", QtWarningMsg)
Q_LOGGING_CATEGORY(lcGhosts, "gloamery.ghosts", QtWarningMsg)
Q_LOGGING_CATEGORY(lcHome, "gloamery.home", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSchedule, "gloamery.schedule", QtWarningMsg)
