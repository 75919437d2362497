// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/KeyToggleTracker.h"

#include <QKeyEvent>

KeyToggleTracker::KeyToggleTracker(int key, QObject* parent)
    : QObject(parent)
    , m_key(key) {}

void KeyToggleTracker::keyPressed(bool autoRepeat) {
    if (autoRepeat)
        return;
    m_toggled = !m_toggled;
    m_held = true;
}

void KeyToggleTracker::keyReleased(bool autoRepeat) {
    if (!autoRepeat)
        m_held = false;
}

bool KeyToggleTracker::eventFilter(QObject* watched, QEvent* event) {
    // A key event reaches the top-level QWindow once, then widgets and their parents: count it
    // at the window only.
    if (watched->isWindowType() &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == m_key) {
            if (event->type() == QEvent::KeyPress)
                keyPressed(key->isAutoRepeat());
            else
                keyReleased(key->isAutoRepeat());
        }
    }
    return QObject::eventFilter(watched, event);
}
