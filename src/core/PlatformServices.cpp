// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PlatformServices.h"

#include <QtGlobal>

void missingPlatformService(const char* window, const char* service) {
    qFatal("%s was made without the platform's %s service", window, service);
}
