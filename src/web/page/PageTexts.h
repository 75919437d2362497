// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"

#include <QString>

// The management page's words, in the program's interface language.
struct PageTexts {
    QString htmlLanguage; // the page's lang attribute
    QString signedInAs;   // %1: the login
    QString attraction;
    QString running;
    QString stopped;
    QString timeLeft; // %1: m:ss
    QString noTimeLimit;
    QString planUntil;  // %1: HH:mm
    QString nextPlan;   // %1: short day name and HH:mm
    QString quietUntil; // %1: HH:mm
    QString start;
    QString stop;
    QString ghosts;
    QString on;
    QString off;
    QString switchGhostOn;  // %1: the ghost's number
    QString switchGhostOff; // %1: the ghost's number
    QString notYours;       // beside a state this account may not switch
    QString dialogOpen;     // a settings window is open on the computer
    QString refused;        // an action just refused for the open window
    QString loginNeeded;
    QString forbidden;
    QString tooManyTries; // %1: seconds to wait
    QString badRequest;
    QString tooLarge;
    QString notWorking;
    QString boardFault;     // %1: the board's product id, %2: why
    QString soundFault;     // %1: why
    QString netServerFault; // %1: why
    QString homeFault;      // %1: why

    static const PageTexts& of(Language language);
};
