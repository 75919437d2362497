// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ProgramControl.h"

#include <functional>

class Attraction;
class EveningSchedule;
class Ghosts;
struct ProgramState;

// The program as a phone or a network client sees it: the start button, the ghosts' on/off
// switches, the act and the door, each refused while a dialog is open.
class ProgramControlHub : public ProgramControl {
public:
    // Opens the door; false when there is no board to open it with.
    using DoorOpener = std::function<bool()>;
    using FaultSource = std::function<std::vector<ProgramFault>()>;

    ProgramControlHub(const ProgramState& state, Attraction& attraction, Ghosts& ghosts,
                      DoorOpener door, FaultSource faults);

    // Where the view finds the evening's plan; none: the view shows no plan.
    void setSchedule(const EveningSchedule* schedule) { m_schedule = schedule; }

    Language language() const override;
    bool dialogOpen() const override;
    AttractionView attraction() const override;
    GhostView ghost(int number) const override;
    std::vector<ProgramFault> faults() const override;

    Outcome startAttraction() override;
    Outcome stopAttraction() override;
    Outcome switchGhost(int number, bool on) override;
    Outcome ghostActNow(const ActTrigger& trigger) override;
    Outcome openDoor() override;

private:
    Outcome runAttraction(bool running);

    const ProgramState& m_state;
    Attraction& m_attraction;
    Ghosts& m_ghosts;
    DoorOpener m_door;
    FaultSource m_faults;
    const EveningSchedule* m_schedule = nullptr;
};
