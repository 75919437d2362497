// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/WindowDrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

WindowDrag::WindowDrag(QWidget* window, QWidget* surface, SystemMove systemMove)
    : QObject(surface)
    , m_window(window)
    , m_systemMove(std::move(systemMove)) {
    surface->installEventFilter(this);
}

void WindowDrag::install(QWidget* window, QWidget* surface) {
    install(window, surface, [window] {
        QWindow* handle = window->windowHandle();
        return handle && handle->startSystemMove();
    });
}

void WindowDrag::install(QWidget* window, QWidget* surface, SystemMove systemMove) {
    new WindowDrag(window, surface, std::move(systemMove));
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() != Qt::LeftButton)
            break;
        m_state = State::Pressed;
        m_pressAt = press->globalPosition().toPoint();
        m_grabOffset = m_pressAt - m_window->frameGeometry().topLeft();
        return true;
    }
    case QEvent::MouseMove: {
        const auto* move = static_cast<QMouseEvent*>(event);
        const QPoint at = move->globalPosition().toPoint();
        // A release the filter never saw (it went to a popup) ends the press on a tracked surface.
        if (!(move->buttons() & Qt::LeftButton)) {
            m_state = State::Idle;
            break;
        }
        if (m_state == State::Pressed && at != m_pressAt) {
            if (m_systemMove && m_systemMove()) {
                m_state = State::Idle;
                return true;
            }
            m_state = State::FollowingPointer;
        }
        if (m_state == State::FollowingPointer) {
            m_window->move(at - m_grabOffset);
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (m_state != State::Idle &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_state = State::Idle;
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
