// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the program asks of the desktop it runs on.
class Desktop {
public:
    virtual ~Desktop() = default;
    virtual int width() const = 0;
};
