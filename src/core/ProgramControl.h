// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ActTrigger.h"
#include "core/Language.h"
#include "core/ProgramFault.h"

#include <QDateTime>
#include <QString>

#include <vector>

// What a phone or a network client may do to the running program. Called on the UI thread only;
// each action runs exactly as the button, switch or event a person would use, and is refused
// while one of the main window's dialogs is open, as the start button would be.
class ProgramControl {
public:
    enum class Outcome {
        Done,
        DialogOpen,  // a settings dialog is open: nothing changed
        NoBoard,     // the door needs a board, and none was found
        NoSuchGhost, // ghost numbers run from 1 to 8
    };

    struct AttractionView {
        bool running = false;
        // Whole seconds until the chosen duration ends the attraction; -1 when it has no limit.
        int secondsLeft = -1;
        // The evening's plan, each invalid when there is none: when the plan in force ends, when
        // the next one starts, and until when the ghosts keep quiet.
        QDateTime planEnds = {};
        QDateTime nextPlanStart = {};
        QDateTime quietUntil = {};
    };

    struct GhostView {
        int number = 0; // 1..8
        QString name;
        bool on = false;
        int specialty = 0; // as stored, may lie outside 0..5
    };

    virtual ~ProgramControl() = default;

    virtual Language language() const = 0;
    virtual bool dialogOpen() const = 0;
    virtual AttractionView attraction() const = 0;
    // Number outside 1..8: a view with number 0.
    virtual GhostView ghost(int number) const = 0;
    // What is not working now; empty when all works.
    virtual std::vector<ProgramFault> faults() const = 0;

    // Starting a running attraction, or stopping a stopped one, changes nothing and is Done.
    virtual Outcome startAttraction() = 0;
    virtual Outcome stopAttraction() = 0;
    // As the ghost dialog's on/off switch: the ghost takes part in acts, or not.
    virtual Outcome switchGhost(int number, bool on) = 0;
    // One act, with the act's own choice of ghost and its rules; `trigger` tells the log who
    // asked for it.
    virtual Outcome ghostActNow(const ActTrigger& trigger) = 0;
    // As the end of the attraction with "Открыть дверь" ticked: the "Switch" output for 3 s.
    virtual Outcome openDoor() = 0;
};
