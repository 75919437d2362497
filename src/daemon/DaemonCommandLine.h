// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What the daemon's command line asks for, decided before anything starts.
class DaemonCommandLine {
public:
    enum class Kind {
        Run,     // run the house; startAttraction() tells whether to start the attraction too
        Config,  // configArguments() go to the settings command
        Help,    // text() on standard output, exit 0
        Version, // text() on standard output, exit 0
        Refused, // text() on standard error, exit 2
    };

    // `arguments` without the program's name.
    static DaemonCommandLine of(const QStringList& arguments, const QString& version);

    Kind kind() const { return m_kind; }
    const QString& text() const { return m_text; }
    bool startAttraction() const { return m_startAttraction; }
    const QStringList& configArguments() const { return m_configArguments; }

private:
    Kind m_kind = Kind::Run;
    QString m_text;
    bool m_startAttraction = false;
    QStringList m_configArguments;
};
