// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MessageBoxes.h"

#include <QStringList>

// Records every error text the program would have shown.
class RecordingMessageBoxes : public MessageBoxes {
public:
    void showError(const QString& text) override { errors.append(text); }
    QStringList errors;
};
