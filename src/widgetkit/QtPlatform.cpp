// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/QtPlatform.h"

#include "core/LogCategories.h"

#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>

void QtMessageBoxes::showError(const QString& text) {
    QMessageBox::critical(nullptr, QStringLiteral("Gloamery"), text);
}

QRect ScreenDesktop::availableArea() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QPoint CursorPointerSource::globalPosition() const {
    return QCursor::pos();
}

void DesktopServicesShell::open(const QString& target) {
    // A path such as "/home/x/Help_e.txt" would parse as a URL without a scheme: tell them apart
    // first, so file names with '#' or '?' stay file names.
    const QUrl url =
        QDir::isAbsolutePath(target) ? QUrl::fromLocalFile(target) : QUrl(target, QUrl::StrictMode);
    if (!QDesktopServices::openUrl(url))
        qCInfo(lcApp) << "the desktop could not open" << target;
}
