// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// How many of the program's dialogs are open. One dialog may open over another (the sound window
// over a settings dialog): the first to close must not make the program believe none is open.
class OpenDialogs {
public:
    void opened() { ++m_count; }
    void closed() {
        if (m_count > 0 && --m_count == 0 && m_allClosed)
            m_allClosed();
    }
    bool any() const { return m_count > 0; }
    // The main window's show sequence starts from no dialog open, whatever was left behind.
    void reset() {
        const bool wereOpen = m_count > 0;
        m_count = 0;
        if (wereOpen && m_allClosed)
            m_allClosed();
    }
    // Reads as the flag the program has always asked: is a dialog open?
    operator bool() const { return any(); }
    // Told when the last open dialog closes, so what a dialog held back can be done then.
    void setAllClosedListener(std::function<void()> listener) { m_allClosed = std::move(listener); }

private:
    int m_count = 0;
    std::function<void()> m_allClosed;
};
