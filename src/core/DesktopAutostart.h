// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The XDG autostart entry that makes the desktop start an edition when the user logs in:
// <config home>/autostart/<edition>.desktop. The entry existing is the setting; nothing else is
// stored.
class DesktopAutostart {
public:
    // `edition`: the entry's base name; `program`: the executable the entry starts;
    // `configHome`: the user's configuration folder (configHome()).
    DesktopAutostart(QString edition, QString program, QString configHome);

    // $XDG_CONFIG_HOME when it is an absolute path (the XDG rule: a relative one is ignored),
    // otherwise <home>/.config.
    static QString configHome(const QString& xdgConfigHome, const QString& home);
    // The same for this process's environment.
    static QString configHome();

    // `program` as the Exec value of a desktop entry, quoted and escaped as that format asks;
    // nothing for a path the format cannot hold (a control character such as a line break).
    static std::optional<QString> execValue(const QString& program);

    QString entryPath() const;
    bool isEnabled() const;
    // Writes or removes the entry; empty on success, else the reason.
    QString setEnabled(bool enabled) const;

private:
    QString write() const;
    QString remove() const;

    QString m_edition;
    QString m_program;
    QString m_configHome;
};
