// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetCommands.h"

std::optional<ProgramControl::Outcome> NetCommands::run(ProgramControl& control, int command) {
    switch (command) {
    case 1:
        return control.startAttraction();
    case 2:
        return control.stopAttraction();
    case 3:
        return control.ghostActNow({ActTrigger::Source::NetworkCommand});
    case 4:
        return control.openDoor();
    default:
        return std::nullopt;
    }
}
