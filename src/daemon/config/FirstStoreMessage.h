// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MessageBoxes.h"

// Keeps the first message the store code would have shown in a box: on the command line it
// becomes the one error line.
class FirstStoreMessage : public MessageBoxes {
public:
    void showError(const QString& text) override {
        if (m_message.isEmpty())
            m_message = text;
    }
    const QString& message() const { return m_message; }

private:
    QString m_message;
};
