// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"

#include <QString>
#include <QStringList>

// What the program's own options ask for, decided before anything else starts: --help and
// --version are answered without a display, a store or a window. Qt's standard options pass on
// to Qt; anything else is refused, so a mistyped --help never starts the program.
// The arguments as the system passed them, without the program's name.
QStringList programArguments(int argc, char** argv);

class CommandLineAnswer {
public:
    enum class Kind {
        Run,     // start the program
        Help,    // `text` on standard output, exit 0
        Version, // `text` on standard output, exit 0
        Refused, // `text` on standard error, exit 2
    };

    // `arguments` without the program's name; `version` as the project gives it.
    static CommandLineAnswer of(const QStringList& arguments, Language edition,
                                const QString& version);

    Kind kind() const { return m_kind; }
    const QString& text() const { return m_text; }
    int exitCode() const;

private:
    CommandLineAnswer(Kind kind, QString text)
        : m_kind(kind)
        , m_text(std::move(text)) {}

    Kind m_kind;
    QString m_text;
};
