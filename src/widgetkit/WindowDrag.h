#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

// Lets the user drag a borderless window by a left press on `surface`: the press goes to the
// window manager as a caption press; where there is no window manager to take it, the window
// follows the pointer by itself.
class WindowDrag : public QObject {
    Q_OBJECT
public:
    static void install(QWidget* window, QWidget* surface);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WindowDrag(QWidget* window, QWidget* surface);

    QWidget* m_window;
    bool m_followingPointer = false;
    QPoint m_grabOffset;
};
