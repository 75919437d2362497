// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/TrayArea.h"

#include <QObject>

#include <functional>

class QMenu;
class QSystemTrayIcon;

// The notification-area icon: hidden at start, the tray menu on a right click, a double click
// restores the main window.
class TrayIcon : public QObject, public TrayArea {
    Q_OBJECT
public:
    // `Menu_Tray` is not owned; it may be given later, once the menus exist.
    explicit TrayIcon(QMenu* Menu_Tray, QObject* parent = nullptr);
    ~TrayIcon() override;

    void setMenu(QMenu* Menu_Tray);

    void setOnDoubleClick(std::function<void()> onDoubleClick) {
        m_onDoubleClick = std::move(onDoubleClick);
    }

    // "Gloamery" until the main window says more.
    void setToolTip(const QString& toolTip);
    QString toolTip() const;

    bool isAvailable() const override;
    bool isActive() const override;
    void setActive(bool active) override;

private:
    QSystemTrayIcon* m_icon;
    std::function<void()> m_onDoubleClick;
};
