// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class Desktop;
class ProgramWindows;
struct ProgramState;

// What happens each time the main window is shown, including after a restore from the tray:
// the splash (first time only), the language, the layout, and the first-run presentation.
class MainShowSequence {
public:
    MainShowSequence(ProgramWindows& windows, ProgramState& state, const Desktop& desktop);

    // False when the program is ending and the window should stay hidden.
    bool run();
    bool running() const { return m_running; }

    // Asked before the splash and right after it closes: when the program is being ended, the
    // rest is skipped, so a first-run presentation is not used up by a run that never showed it.
    void setEndingCheck(std::function<bool()> ending) { m_ending = std::move(ending); }

private:
    ProgramWindows& m_windows;
    ProgramState& m_state;
    const Desktop& m_desktop;
    std::function<bool()> m_ending;
    bool m_running = false;
};
