// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPoint>

#include <functional>

class QWidget;

// Lets the user drag a borderless window by a left press on `surface`: the drag goes to the
// window manager as a caption press; where there is no window manager to take it, the window
// follows the pointer by itself.
//
// The window manager is asked only once the pointer has moved with the button still down. A
// press it receives after the button is already up (a tap, a quick click) leaves it waiting for
// a release that never comes, and the window stays glued to the pointer.
class WindowDrag : public QObject {
    Q_OBJECT
public:
    // Asks the window manager to move the window; false where none takes it.
    using SystemMove = std::function<bool()>;

    static void install(QWidget* window, QWidget* surface);
    // With `systemMove` in place of the window manager's move (tests).
    static void install(QWidget* window, QWidget* surface, SystemMove systemMove);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WindowDrag(QWidget* window, QWidget* surface, SystemMove systemMove);

    enum class State { Idle, Pressed, FollowingPointer };

    QWidget* m_window;
    SystemMove m_systemMove;
    State m_state = State::Idle;
    QPoint m_pressAt;
    QPoint m_grabOffset;
};
