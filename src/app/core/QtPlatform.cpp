#include "app/core/QtPlatform.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

void QtMessageBoxes::showError(const QString& text) {
    QMessageBox::critical(nullptr, QStringLiteral("Gloamery"), text);
}

int ScreenDesktop::width() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}
