// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Something the program should be doing and cannot right now, as a phone is told of it.
struct ProgramFault {
    enum class Kind {
        Board,          // a board found at the start that cannot be opened or reached
        Sound,          // no sound can be heard
        NetServer,      // the network server's socket did not open
        HomeAutomation, // the home's MQTT broker cannot be reached
    };

    Kind kind = Kind::Sound;
    // The board's product id, or the network server's port; 0 for the others.
    int number = 0;
    // In the system's own words.
    QString reason;

    bool operator==(const ProgramFault&) const = default;
};
