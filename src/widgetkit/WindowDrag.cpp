#include "widgetkit/WindowDrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

WindowDrag::WindowDrag(QWidget* window, QWidget* surface)
    : QObject(surface)
    , m_window(window) {
    surface->installEventFilter(this);
}

void WindowDrag::install(QWidget* window, QWidget* surface) {
    new WindowDrag(window, surface);
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() != Qt::LeftButton)
            break;
        QWindow* handle = m_window->windowHandle();
        if (handle && handle->startSystemMove())
            return true;
        m_followingPointer = true;
        m_grabOffset = press->globalPosition().toPoint() - m_window->frameGeometry().topLeft();
        return true;
    }
    case QEvent::MouseMove:
        if (m_followingPointer) {
            const auto* move = static_cast<QMouseEvent*>(event);
            m_window->move(move->globalPosition().toPoint() - m_grabOffset);
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (m_followingPointer && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_followingPointer = false;
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
