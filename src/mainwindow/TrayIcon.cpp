// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/TrayIcon.h"

#include "widgetkit/ImageList.h"

#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

TrayIcon::TrayIcon(QMenu* Menu_Tray, QObject* parent)
    : QObject(parent)
    , m_icon(new QSystemTrayIcon(this)) {
    QIcon icon;
    for (const char* file : {"Img/Icon/tray-32.png", "Img/Icon/tray-64.png"}) {
        const QImage picture = ImageList::picture(QLatin1String(file));
        if (!picture.isNull())
            icon.addPixmap(QPixmap::fromImage(picture));
    }
    m_icon->setIcon(icon);
    m_icon->setToolTip(QStringLiteral("Gloamery"));
    m_icon->setContextMenu(Menu_Tray);
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick && m_onDoubleClick)
                    m_onDoubleClick();
            });
}

TrayIcon::~TrayIcon() {
    m_icon->hide();
}

void TrayIcon::setMenu(QMenu* Menu_Tray) {
    m_icon->setContextMenu(Menu_Tray);
}

void TrayIcon::setToolTip(const QString& toolTip) {
    m_icon->setToolTip(toolTip);
}

QString TrayIcon::toolTip() const {
    return m_icon->toolTip();
}

bool TrayIcon::isAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool TrayIcon::isActive() const {
    return m_icon->isVisible();
}

void TrayIcon::setActive(bool active) {
    m_icon->setVisible(active);
}
