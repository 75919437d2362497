// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ProgramControl.h"

#include <array>

// The program as the page sees it, held in plain fields; counts every action asked of it.
class FakeProgramControl : public ProgramControl {
public:
    Language currentLanguage = Language::English;
    bool dialog = false;
    AttractionView attractionView;
    std::array<GhostView, 8> ghosts;
    int actions = 0;

    FakeProgramControl() {
        for (int n = 1; n <= 8; ++n)
            ghosts[size_t(n - 1)] = {n, QStringLiteral("Ghost_%1").arg(n), false, 0};
    }

    Language language() const override { return currentLanguage; }
    bool dialogOpen() const override { return dialog; }
    AttractionView attraction() const override { return attractionView; }
    GhostView ghost(int number) const override {
        return number >= 1 && number <= 8 ? ghosts[size_t(number - 1)] : GhostView{};
    }
    std::vector<ProgramFault> faults() const override { return {}; }
    Outcome startAttraction() override { return setRunning(true); }
    Outcome stopAttraction() override { return setRunning(false); }
    Outcome switchGhost(int number, bool on) override {
        ++actions;
        if (dialog)
            return Outcome::DialogOpen;
        if (number < 1 || number > 8)
            return Outcome::NoSuchGhost;
        ghosts[size_t(number - 1)].on = on;
        return Outcome::Done;
    }
    Outcome ghostActNow(const ActTrigger&) override { return ++actions, Outcome::Done; }
    Outcome openDoor() override { return ++actions, Outcome::NoBoard; }

private:
    Outcome setRunning(bool running) {
        ++actions;
        if (dialog)
            return Outcome::DialogOpen;
        attractionView.running = running;
        return Outcome::Done;
    }
};
