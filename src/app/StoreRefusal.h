// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"
#include "core/StoreLock.h"

#include <QString>

// Whether a program with windows may go on beside whoever else holds the settings' lock: empty to
// go on, else what to tell the user before leaving. A program without windows holding them would
// overwrite at its end whatever this one saved, and the other way round. A lock that cannot be
// had at all stops nothing: the store's own message tells what is wrong with it.
QString storeRefusal(StoreLock::Outcome outcome, const QString& holder, Language language);
