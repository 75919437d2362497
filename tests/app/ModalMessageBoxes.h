// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MessageBoxes.h"

#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include <functional>

// Real modal error boxes, as the program shows them: each runs its own event loop until something
// closes it. `whenShown` runs once a box is up. A box nothing else closes is closed after a few
// seconds so the test ends, and that is recorded.
class ModalMessageBoxes : public MessageBoxes {
public:
    void showError(const QString& text) override {
        errors.append(text);
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Gloamery"), text);
        QTimer::singleShot(0, &box, [this, &text] {
            if (whenShown)
                whenShown(text);
        });
        QTimer::singleShot(4000, &box, [this, &box] {
            ++leftOpen;
            box.close();
        });
        box.exec();
    }

    QStringList errors;
    std::function<void(const QString&)> whenShown;
    int leftOpen = 0; // boxes that only the test's own timeout closed
};
