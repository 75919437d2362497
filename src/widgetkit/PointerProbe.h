// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>

class PointerSource;
class QWidget;

// One pointer reading per timer tick, and the hover test every window uses on it: a control
// holds the pointer when it lies strictly inside the control's screen rectangle (a pointer on
// the first row or column does not count) and the control's window is visible.
class PointerProbe {
public:
    explicit PointerProbe(const PointerSource& source);

    // Reads the position; call once at the start of each tick.
    void sample();
    // Takes a reading made by someone else (the shared poll's tick).
    void use(QPoint reading) { m_position = reading; }
    QPoint position() const { return m_position; }

    // `control`'s own rectangle, wherever it sits inside its window.
    bool inside(const QWidget* control) const;
    // A rectangle given in `window`'s own coordinates (a box of fixed size at a control's place).
    bool insideRect(const QWidget* window, const QRect& rect) const;

    // The strict test itself, on screen coordinates.
    static bool strictlyInside(const QRect& screenRect, QPoint point);

private:
    const PointerSource& m_source;
    QPoint m_position;
};
