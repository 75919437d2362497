// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class LanguageTexts;
class PresentationView;
struct ProgramState;

// The first-run introduction: eight sentences in two text lines while the four ghost pictures
// appear and change, one step per 20 ms tick of the main window's Timer_Presentation, counted
// only while the main window is active.
class Presentation {
public:
    static constexpr int TickMs = 20;
    static constexpr int LastTick = 1400;

    // The texts are read at each tick, so a language switch reaches the sentences still to come.
    Presentation(PresentationView& view, const LanguageTexts& texts, const ProgramState& state);

    // Sb_PresentationClick: starts, or starts again from the beginning.
    void Sb_PresentationClick();
    // Timer_PresentationTimer.
    void Timer_PresentationTimer();

    bool running() const { return m_running; }
    int PresentationTick() const { return m_tick; }

private:
    void showGhost(int ghost, int entry);
    void end();
    void sentence(int line, int entry);

    PresentationView& m_view;
    const LanguageTexts& m_texts;
    const ProgramState& m_state;
    int m_tick = 0;
    bool m_running = false;
};
