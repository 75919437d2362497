// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/Presentation.h"

#include "core/ProgramState.h"
#include "language/LanguageTexts.h"
#include "mainwindow/PresentationView.h"
#include "widgetkit/ImageEntries.h"

namespace {

int GhostEntry(int ghost, int n) {
    return GhostImage::first(ghost) + n;
}

// At ticks base+10, base+20, base+30, base+40 ghost 1, 2, 3, 4 takes its turn; 0 otherwise.
int GhostInTurn(int tick, int base) {
    const int offset = tick - base;
    if (offset % 10 != 0 || offset < 10 || offset > 40)
        return 0;
    return offset / 10;
}

} // namespace

Presentation::Presentation(PresentationView& view, const LanguageTexts& texts,
                           const ProgramState& state)
    : m_view(view)
    , m_texts(texts)
    , m_state(state) {}

void Presentation::Sb_PresentationClick() {
    m_view.setStartButtonVisible(false);
    m_view.startPresentationTimer();
    m_running = true;
    m_tick = 0;
    m_view.setTextLineVisible(1, false);
    m_view.setTextLineVisible(2, false);
    for (int ghost = 1; ghost <= 4; ++ghost)
        m_view.setGhostPictureVisible(ghost, false);
}

void Presentation::sentence(int line, int entry) {
    m_view.setTextLine(line, entry ? m_texts[entry] : QString());
    m_view.setTextLineVisible(line, true);
}

void Presentation::showGhost(int ghost, int entry) {
    m_view.setGhostPicture(ghost, entry);
    m_view.setGhostPictureVisible(ghost, true);
}

void Presentation::Timer_PresentationTimer() {
    if (!m_running || !m_view.isWindowActive())
        return;
    ++m_tick;
    const int tick = m_tick;

    if (const int ghost = GhostInTurn(tick, 200)) {
        showGhost(ghost, GhostEntry(ghost, GhostImage::Floating));
    } else if (const int ghost2 = GhostInTurn(tick, 500)) {
        // Doorman, electrician, plumber, postman: ghost k shows specialty k.
        showGhost(ghost2, GhostEntry(ghost2, ghost2));
    } else if (const int ghost3 = GhostInTurn(tick, 800)) {
        const int picture = m_state.InterfaceLanguage == Language::English
                                ? GhostImage::PresentationEnglish
                                : GhostImage::PresentationRussian;
        showGhost(ghost3, GhostEntry(ghost3, picture));
    } else if (const int ghost4 = GhostInTurn(tick, 1100)) {
        showGhost(ghost4, GhostEntry(ghost4, GhostImage::Floating));
    }

    switch (tick) {
    case 100:
        sentence(1, 260);
        break;
    case 300:
        sentence(2, 261);
        break;
    case 450:
        sentence(1, 262);
        sentence(2, 0);
        break;
    case 600:
        sentence(2, 263);
        break;
    case 750:
        sentence(1, 264);
        sentence(2, 0);
        break;
    case 900:
        sentence(2, 265);
        break;
    case 1050:
        sentence(1, 266);
        sentence(2, 0);
        break;
    case 1200:
        sentence(2, 267);
        break;
    case LastTick:
        end();
        break;
    default:
        break;
    }
}

void Presentation::end() {
    m_tick = 0;
    m_view.setStartButtonVisible(true);
    m_view.stopPresentationTimer();
    m_running = false;
    for (int ghost = 1; ghost <= 4; ++ghost)
        m_view.setGhostPicture(ghost, GhostEntry(ghost, ghost));
    m_view.setTextLineVisible(1, false);
    m_view.setTextLineVisible(2, false);
    m_view.ShowGhostImages();
}
