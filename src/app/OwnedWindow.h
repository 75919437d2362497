// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

// Told each form name as its window is made and after it is destroyed.
using WindowObserver = std::function<void(const QString& formName, bool created)>;

// One of the program's windows, alive as long as this: destroyed here, not by Qt's parent order,
// so the windows go in exactly the reverse of the order they were made. An observer hears each
// form name as its window is made and after it is destroyed.
template <typename Window>
class OwnedWindow {
public:
    OwnedWindow(Window* window, const WindowObserver& observer)
        : m_window(window)
        , m_observer(observer) {
        if (m_observer)
            m_observer(m_window->objectName(), true);
    }
    ~OwnedWindow() {
        const QString name = m_window->objectName();
        delete m_window;
        if (m_observer)
            m_observer(name, false);
    }
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;

    Window* operator->() const { return m_window; }
    Window& operator*() const { return *m_window; }
    operator Window*() const { return m_window; }

private:
    Window* m_window;
    const WindowObserver& m_observer;
};
