// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QWidget;

// One window that OpenDialog brings up modally. An empty handle stands for a window that does
// not exist yet: its command then does nothing.
struct DialogHandle {
    std::function<bool()> isVisible;
    std::function<void()> hide;
    // Returns when the window has closed.
    std::function<void()> showModal;

    bool exists() const { return isVisible && hide && showModal; }

    // A QDialog runs exec(); any other window is shown application-modal and waited for until it
    // hides.
    static DialogHandle forWidget(QWidget* window);
};
