// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ProgramFault.h"

#include <QDateTime>
#include <QString>

#include <vector>

struct PageTexts;

// The management page as HTML: one document with its style inside, made for a phone held in
// one hand. Every text from elsewhere (ghost names, the login) is escaped.
namespace PageHtml {

struct Ghost {
    int number = 0;
    QString name;
    bool on = false;
    bool maySwitch = false;
    QString picture; // a data: address; empty: none
};

struct View {
    QString login;
    QString formAction; // the page's own path, escaped for a URL
    QString token;
    bool attractionRunning = false;
    int secondsLeft = -1; // -1: no time limit
    // The evening's plan; each invalid when there is none.
    QDateTime planEnds;
    QDateTime nextPlanStart;
    QDateTime quietUntil;
    bool maySwitchAttraction = false;
    bool dialogOpen = false;
    QString notice; // one line about the last action; empty: none
    std::vector<ProgramFault> faults;
    std::vector<Ghost> ghosts;
};

// The one style sheet of every page reply; the security policy allows exactly this text.
const QString& style();

QString escaped(const QString& text);
QString page(const View& view, const PageTexts& texts);
// A short page that only says `message`.
QString messagePage(const QString& message, const PageTexts& texts);
// m:ss, or h:mm:ss from an hour on.
QString clock(int seconds);

} // namespace PageHtml
