// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DisplayCheck.h"

#include <QDir>
#include <QLibraryInfo>

#include <algorithm>
#include <cstring>
#include <optional>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace DisplayCheck {

namespace {

bool allDigits(QStringView text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// N of a local display "[unix]:N[.S]"; none for a remote or malformed one. Read by hand: a
// regular expression here would load its engine before the first window.
std::optional<int> localDisplayNumber(QStringView display) {
    if (display.startsWith(u"unix"))
        display = display.mid(4);
    if (!display.startsWith(u':'))
        return std::nullopt;
    display = display.mid(1);
    const qsizetype dot = display.indexOf(u'.');
    const QStringView number = dot < 0 ? display : display.left(dot);
    if (!allDigits(number) || (dot >= 0 && !allDigits(display.mid(dot + 1))))
        return std::nullopt;
    bool ok = false;
    const int value = number.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

QString preferredPlatform(const Environment& environment) {
    if (!environment("QT_QPA_PLATFORM").isEmpty())
        return {};
    const bool wayland = !environment("WAYLAND_DISPLAY").isEmpty() ||
                         environment("XDG_SESSION_TYPE") == QLatin1String("wayland");
    if (wayland && !environment("DISPLAY").isEmpty())
        return QStringLiteral("xcb");
    return {};
}

QString problem(const Environment& environment, const LocalDisplayReachable& reachable,
                const QString& qtPlugins) {
    const QString platform = environment("QT_QPA_PLATFORM");
    const QString display = environment("DISPLAY");
    const bool waylandOnly =
        (platform.isEmpty() && display.isEmpty() && !environment("WAYLAND_DISPLAY").isEmpty()) ||
        (platform.startsWith(QLatin1String("wayland")) &&
         !platform.contains(u';')); // a list falls back by itself
    if (waylandOnly) {
        if (waylandPluginPresent(environment, qtPlugins))
            return {};
        return QStringLiteral("Gloamery needs a graphical desktop, but this Wayland session has "
                              "no X display and Qt's Wayland support is not installed "
                              "(package qt6-wayland).");
    }
    const bool wantsX11 = platform.isEmpty() || platform.startsWith(QLatin1String("xcb"));
    if (!wantsX11)
        return {}; // offscreen, vnc...: Qt reports its own problems
    if (display.isEmpty())
        return QStringLiteral("Gloamery needs a graphical desktop, but no display was found "
                              "(DISPLAY is not set).");
    // A local display ":N" listens on a socket we can try; remote ones are left to Qt.
    const std::optional<int> number = localDisplayNumber(display);
    if (number && !reachable(*number))
        return QStringLiteral("Gloamery needs a graphical desktop, but display %1 is not running.")
            .arg(display);
    return {};
}

bool waylandPluginPresent(const Environment& environment, const QString& qtPlugins) {
    const QString platforms = QStringLiteral("/platforms");
    QStringList folders;
    if (const QString direct = environment("QT_QPA_PLATFORM_PLUGIN_PATH"); !direct.isEmpty())
        folders.append(direct);
    for (const QString& folder :
         environment("QT_PLUGIN_PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts))
        folders.append(folder + platforms);
    folders.append(qtPlugins + platforms);
    const QStringList plugin{QStringLiteral("libqwayland*.so")};
    return std::any_of(folders.cbegin(), folders.cend(), [&](const QString& folder) {
        return !QDir(folder).entryList(plugin, QDir::Files).isEmpty();
    });
}

QString qtPluginsPath() {
    return QLibraryInfo::path(QLibraryInfo::PluginsPath);
}

QString platformNote(const QString& platformName) {
    if (!platformName.startsWith(QLatin1String("wayland")))
        return {};
    return QStringLiteral("Gloamery runs natively on Wayland, where a program cannot place its "
                          "windows: the dialogs do not open over the main window and the windows "
                          "are not centred. With XWayland (DISPLAY set) they are.");
}

namespace {

bool connects(const QByteArray& path, bool abstract) {
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const size_t offset = abstract ? 1 : 0; // an abstract name starts with a NUL byte
    if (path.size() + offset >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path + offset, path.constData(), static_cast<size_t>(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset +
                                               static_cast<size_t>(path.size()));
    const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
    ::close(fd);
    return ok;
}

} // namespace

bool localDisplayReachable(int displayNumber) {
    const QByteArray path = "/tmp/.X11-unix/X" + QByteArray::number(displayNumber);
    return connects(path, true) || connects(path, false);
}

} // namespace DisplayCheck
