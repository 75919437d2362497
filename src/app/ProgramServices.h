// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/FirstRun.h"
#include "app/ProgramControlHub.h"
#include "core/PlatformServices.h"
#include "device/HouseBoards.h"
#include "ghosts/Attraction.h"
#include "ghosts/Ghosts.h"
#include "home/HomeAutomation.h"
#include "net/NetServerService.h"
#include "schedule/EveningSchedule.h"
#include "sound/SoundLibraryWorkshop.h"
#include "sound/SoundStage.h"
#include "web/WebAccessService.h"

#include <functional>
#include <vector>

struct ProgramState;

// The program without its windows: every service, built in the order they depend on one another
// and destroyed in the reverse order. The windows are views over these and are built after them.
class ProgramServices {
public:
    // Reads every service's settings in the order the program has always read its store. `beep`
    // sounds when a network client leaves.
    ProgramServices(ProgramState& state, const PlatformServices& platform,
                    std::function<void()> beep = {});
    // Writes them in the reverse order, so a store that fails reports as it always has; the
    // windows, gone before, have already handed back what they were editing.
    ~ProgramServices();
    ProgramServices(const ProgramServices&) = delete;
    ProgramServices& operator=(const ProgramServices&) = delete;

    // What the settings say runs from the start: the web access server, the network server, the
    // link to the home's broker and the attraction, each started as its own button would.
    void startWhatIsWanted();
    // What is not working now: the boards by product id, then the sound, the network server and
    // the home's broker.
    std::vector<ProgramFault> faults() const;

    FirstRun firstRun;
    SoundStage sound;
    // Changes the user's own libraries, which the stage then plays.
    SoundLibraryWorkshop soundLibraries;
    Ghosts ghosts;
    // The home's sensors and door; their exchanges run on a thread of their own.
    HouseBoards boards;
    Attraction attraction;
    ProgramControlHub control;
    // The evening's plans and quiet hours, driving the attraction through the control.
    EveningSchedule schedule;
    WebAccessService webAccess;
    NetServerService netServer;
    // The home's MQTT broker: told of the program, and obeyed.
    HomeAutomation home;

private:
    static HomeHouse house(HouseBoards& boards);
    // The home hears of inputs, the door, the attraction and every act.
    void tellTheHome();
};
