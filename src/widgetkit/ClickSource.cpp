// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/ClickSource.h"

#include <QMouseEvent>
#include <QWidget>

ClickSource::ClickSource(QWidget* widget)
    : QObject(widget)
    , m_widget(widget) {
    widget->installEventFilter(this);
}

ClickSource* ClickSource::on(QWidget* widget) {
    if (auto* existing = widget->findChild<ClickSource*>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new ClickSource(widget);
}

bool ClickSource::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_widget)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        // The second press of a double click is no new click.
        m_pressCounts = event->type() == QEvent::MouseButtonPress;
        emit pressed();
        if (event->type() == QEvent::MouseButtonDblClick)
            emit doubleClicked();
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        emit released();
        const bool over = m_widget->rect().contains(mouse->position().toPoint());
        if (m_pressCounts && over)
            emit clicked();
        m_pressCounts = false;
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
