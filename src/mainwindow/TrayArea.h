// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The desktop's notification area as the window commands see it; the desktop may have none.
class TrayArea {
public:
    virtual ~TrayArea() = default;
    virtual bool isAvailable() const = 0;
    virtual bool isActive() const = 0;
    virtual void setActive(bool active) = 0;
};
