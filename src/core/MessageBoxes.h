// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The standard error message box; tests replace it with a recorder.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void showError(const QString& text) = 0;
};
