// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MessageBoxes.h"

// Without a screen, what a window would show in a message box goes to the log, one line each.
class LoggedMessages : public MessageBoxes {
public:
    void showError(const QString& text) override;
};
