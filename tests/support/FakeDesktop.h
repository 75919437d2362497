// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Desktop.h"

class FakeDesktop : public Desktop {
public:
    explicit FakeDesktop(int desktopWidth = 1280)
        : m_width(desktopWidth) {}
    int width() const override { return m_width; }
    void setWidth(int desktopWidth) { m_width = desktopWidth; }

private:
    int m_width;
};
