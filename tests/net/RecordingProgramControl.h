// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ProgramControl.h"

#include <QStringList>

// Records each action asked of it and answers as the program would: every action is refused
// while `dialog` is set, and the door answers `door` (NoBoard for a house without boards).
class RecordingProgramControl : public ProgramControl {
public:
    Language language() const override { return Language::English; }
    bool dialogOpen() const override { return dialog; }
    AttractionView attraction() const override { return {running, -1}; }
    GhostView ghost(int number) const override { return {number, {}, false, 0}; }
    std::vector<ProgramFault> faults() const override { return {}; }

    Outcome startAttraction() override {
        return record("start", [this] { running = true; });
    }
    Outcome stopAttraction() override {
        return record("stop", [this] { running = false; });
    }
    Outcome switchGhost(int number, bool on) override {
        return record(QStringLiteral("switch %1 %2").arg(number).arg(on ? "on" : "off"), [] {});
    }
    Outcome ghostActNow(const ActTrigger&) override {
        return record("act", [] {});
    }
    Outcome openDoor() override {
        const Outcome outcome = record("door", [] {});
        return outcome == Outcome::Done ? door : outcome;
    }

    QStringList asked;
    bool dialog = false;
    bool running = false;
    Outcome door = Outcome::Done;

private:
    template <typename Change>
    Outcome record(const QString& action, Change change) {
        asked.append(action);
        if (dialog)
            return Outcome::DialogOpen;
        change();
        return Outcome::Done;
    }
};
