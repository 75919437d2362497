// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramControlHub.h"

#include "core/ProgramState.h"
#include "ghosts/Attraction.h"
#include "ghosts/Ghosts.h"
#include "schedule/EveningSchedule.h"

ProgramControlHub::ProgramControlHub(const ProgramState& state, Attraction& attraction,
                                     Ghosts& ghosts, DoorOpener door, FaultSource faults)
    : m_state(state)
    , m_attraction(attraction)
    , m_ghosts(ghosts)
    , m_door(std::move(door))
    , m_faults(std::move(faults)) {}

Language ProgramControlHub::language() const {
    return m_state.InterfaceLanguage;
}

bool ProgramControlHub::dialogOpen() const {
    return m_state.DialogOpen;
}

ProgramControl::AttractionView ProgramControlHub::attraction() const {
    AttractionView view;
    view.running = m_state.AttractionRunning;
    // One tick a second; a stopped attraction has no time running out.
    view.secondsLeft = view.running ? m_attraction.ticksLeft() : -1;
    if (m_schedule) {
        view.planEnds = m_schedule->planEnds();
        view.nextPlanStart = m_schedule->nextPlanStart();
        view.quietUntil = m_schedule->quietUntil();
    }
    return view;
}

ProgramControl::GhostView ProgramControlHub::ghost(int number) const {
    if (number < 1 || number > GhostTable::GhostCount)
        return {};
    const GhostSettings& settings = m_ghosts.table()[number];
    return {number, settings.Name, settings.ON, settings.Special};
}

std::vector<ProgramFault> ProgramControlHub::faults() const {
    return m_faults ? m_faults() : std::vector<ProgramFault>{};
}

ProgramControl::Outcome ProgramControlHub::runAttraction(bool running) {
    if (m_state.DialogOpen)
        return Outcome::DialogOpen;
    if (m_state.AttractionRunning != running)
        m_attraction.toggle();
    return Outcome::Done;
}

ProgramControl::Outcome ProgramControlHub::startAttraction() {
    return runAttraction(true);
}

ProgramControl::Outcome ProgramControlHub::stopAttraction() {
    return runAttraction(false);
}

ProgramControl::Outcome ProgramControlHub::switchGhost(int number, bool on) {
    if (m_state.DialogOpen)
        return Outcome::DialogOpen;
    if (number < 1 || number > GhostTable::GhostCount)
        return Outcome::NoSuchGhost;
    m_ghosts.table()[number].ON = on;
    return Outcome::Done;
}

ProgramControl::Outcome ProgramControlHub::ghostActNow(const ActTrigger& trigger) {
    if (m_state.DialogOpen)
        return Outcome::DialogOpen;
    m_ghosts.GhostAct(trigger);
    return Outcome::Done;
}

ProgramControl::Outcome ProgramControlHub::openDoor() {
    if (m_state.DialogOpen)
        return Outcome::DialogOpen;
    return m_door && m_door() ? Outcome::Done : Outcome::NoBoard;
}
