// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>

// Where the pointer is on the screen, read when asked (the windows poll it every 100 ms rather
// than follow enter and leave events). Tests place it.
class PointerSource {
public:
    virtual ~PointerSource() = default;
    virtual QPoint globalPosition() const = 0;
};
