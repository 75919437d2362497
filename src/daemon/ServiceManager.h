// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Tells systemd where the daemon stands, so `systemctl start` returns once the house runs and
// a stop is shown as one. Nothing happens when no service manager started it.
namespace ServiceManager {

void ready();
void stopping();

} // namespace ServiceManager
