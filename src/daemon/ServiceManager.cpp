// SPDX-License-Identifier: GPL-3.0-or-later
#include "daemon/ServiceManager.h"

#include <systemd/sd-daemon.h>

namespace ServiceManager {

void ready() {
    sd_notify(0, "READY=1");
}

void stopping() {
    sd_notify(0, "STOPPING=1");
}

} // namespace ServiceManager
