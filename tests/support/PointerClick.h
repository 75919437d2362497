// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/FakePointer.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// A left click (or a double click) at `local` of `target`, with the pointer there as the window
// system reports it: the windows take clicks from press and release pairs and hover from the
// pointer, so a test must set both.
inline void clickWithPointer(FakePointer& pointer, QWidget* target, QPoint local,
                             bool doubleClick = false) {
    pointer.position = target->mapToGlobal(local);
    const auto send = [&](QEvent::Type type) {
        QMouseEvent event(type, QPointF(local), QPointF(pointer.position), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    };
    send(QEvent::MouseButtonPress);
    send(QEvent::MouseButtonRelease);
    if (doubleClick) {
        send(QEvent::MouseButtonDblClick);
        send(QEvent::MouseButtonRelease);
    }
}

// The same at the middle of `target`.
inline void clickWithPointer(FakePointer& pointer, QWidget* target, bool doubleClick = false) {
    clickWithPointer(pointer, target, QPoint(target->width() / 2, target->height() / 2),
                     doubleClick);
}
