// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

// What the program asks of the desktop it runs on.
class Desktop {
public:
    virtual ~Desktop() = default;
    // Where the program's windows go: the primary screen less its panels, in the coordinates of
    // the whole desktop, so on several monitors it need not start at (0,0).
    virtual QRect availableArea() const = 0;
};
