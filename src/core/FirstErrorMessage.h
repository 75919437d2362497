// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MessageBoxes.h"

#include <QString>

// Keeps the first error a save shows instead of putting up a box: a settings window or the
// command line reports it in its own place.
class FirstErrorMessage : public MessageBoxes {
public:
    void showError(const QString& text) override {
        if (m_text.isEmpty())
            m_text = text;
    }
    const QString& text() const { return m_text; }

private:
    QString m_text;
};
