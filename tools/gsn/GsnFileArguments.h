// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The arguments of the commands that take sound files, `pack` and `add`: the library first, then
// the files, each described by the last --description before it.
struct GsnFileArguments {
    struct Input {
        QString file;
        QString description;
    };

    enum class Problem { None, Usage, Description };

    QString library;
    std::vector<Input> inputs;
    bool plain = false; // only where `plainAllowed`
    bool trim = true;
    Problem problem = Problem::None;
    QString text;   // with Problem::Description: the description refused
    QString reason; // with Problem::Description: why

    // Descriptions are checked here, so no file is converted for a command that must fail.
    static GsnFileArguments parse(const QStringList& arguments, bool plainAllowed);
};
