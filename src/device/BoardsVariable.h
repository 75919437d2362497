// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What GLOAMERY_BOARDS asks for: the system's boards (unset or empty) or the simulated boards
// whose sockets lie in a folder ("sim:DIR").
struct BoardsVariable {
    enum class Source { System, Simulated };

    Source source = Source::System;
    QString simulatorFolder;
    // Set when the value could not be used; the system's boards are used then.
    QString problem;

    static BoardsVariable parse(const QString& value);
};
