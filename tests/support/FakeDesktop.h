// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Desktop.h"

// One screen from the desktop's origin unless a test sets the area.
class FakeDesktop : public Desktop {
public:
    explicit FakeDesktop(int desktopWidth = 1280)
        : m_area(0, 0, desktopWidth, 1024) {}
    QRect availableArea() const override { return m_area; }
    void setWidth(int desktopWidth) { m_area = QRect(0, 0, desktopWidth, 1024); }
    void setArea(const QRect& area) { m_area = area; }

private:
    QRect m_area;
};
