// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/PointerProbe.h"

#include "core/PointerSource.h"

#include <QWidget>

PointerProbe::PointerProbe(const PointerSource& source)
    : m_source(source) {}

void PointerProbe::sample() {
    m_position = m_source.globalPosition();
}

bool PointerProbe::strictlyInside(const QRect& screenRect, QPoint point) {
    return screenRect.left() < point.x() && point.x() < screenRect.left() + screenRect.width() &&
           screenRect.top() < point.y() && point.y() < screenRect.top() + screenRect.height();
}

bool PointerProbe::inside(const QWidget* control) const {
    if (!control || !control->window()->isVisible())
        return false;
    return strictlyInside(QRect(control->mapToGlobal(QPoint(0, 0)), control->size()), m_position);
}

bool PointerProbe::insideRect(const QWidget* window, const QRect& rect) const {
    if (!window || !window->isVisible())
        return false;
    return strictlyInside(rect.translated(window->mapToGlobal(QPoint(0, 0))), m_position);
}
