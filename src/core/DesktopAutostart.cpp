// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/DesktopAutostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

// Characters that make the desktop's command-line splitting treat an unquoted argument
// differently.
constexpr QStringView ReservedInExec = u" \t\"'\\><~|&;$*?#()`";
// Characters that need a backslash inside a quoted argument.
constexpr QStringView EscapedInQuotes = u"\"`$\\";

bool hasControlCharacter(const QString& text) {
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

} // namespace

DesktopAutostart::DesktopAutostart(QString edition, QString program, QString configHome)
    : m_edition(std::move(edition))
    , m_program(std::move(program))
    , m_configHome(std::move(configHome)) {}

QString DesktopAutostart::configHome(const QString& xdgConfigHome, const QString& home) {
    if (!xdgConfigHome.isEmpty() && QDir::isAbsolutePath(xdgConfigHome))
        return QDir::cleanPath(xdgConfigHome);
    return QDir(home).filePath(QStringLiteral(".config"));
}

QString DesktopAutostart::configHome() {
    return configHome(qEnvironmentVariable("XDG_CONFIG_HOME"), QDir::homePath());
}

std::optional<QString> DesktopAutostart::execValue(const QString& program) {
    if (program.isEmpty() || hasControlCharacter(program))
        return std::nullopt;
    const bool quoted = std::any_of(program.cbegin(), program.cend(),
                                    [](QChar c) { return ReservedInExec.contains(c); });
    QString argument;
    for (const QChar c : program) {
        if (quoted && EscapedInQuotes.contains(c))
            argument += u'\\';
        // A lone % would start a field code such as %f.
        if (c == u'%')
            argument += u'%';
        argument += c;
    }
    if (quoted)
        argument = u'"' + argument + u'"';
    // The Exec value is itself a string value, whose own escape is a backslash too.
    return argument.replace(u'\\', QStringLiteral("\\\\"));
}

QString DesktopAutostart::entryPath() const {
    return QDir(m_configHome).filePath(QStringLiteral("autostart/%1.desktop").arg(m_edition));
}

bool DesktopAutostart::isEnabled() const {
    return QFileInfo::exists(entryPath());
}

QString DesktopAutostart::setEnabled(bool enabled) const {
    return enabled ? write() : remove();
}

QString DesktopAutostart::write() const {
    const std::optional<QString> exec = execValue(m_program);
    if (!exec)
        return QStringLiteral("the program's path \"%1\" cannot be written in a desktop entry")
            .arg(m_program);
    const QString folder = QFileInfo(entryPath()).path();
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot create the folder %1").arg(folder);
    QSaveFile file(entryPath());
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Gloamery\n"
                                         "Comment=Ghosts that live in your home\n"
                                         "Comment[ru]=Призраки, которые живут у вас дома\n"
                                         "Exec=%1\n"
                                         "Icon=gloamery\n"
                                         "Terminal=false\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(*exec);
    file.write(entry.toUtf8());
    if (!file.commit())
        return file.errorString();
    return {};
}

QString DesktopAutostart::remove() const {
    QFile file(entryPath());
    if (!file.exists())
        return {};
    if (!file.remove())
        return file.errorString();
    return {};
}
