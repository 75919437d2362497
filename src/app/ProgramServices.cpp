// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramServices.h"

#include "core/RuntimeFiles.h"
#include "core/SettingsStore.h"
#include "core/StoreAccess.h"
#include "device/BoardPoller.h"
#include "web/server/WebAccessServer.h"

ProgramServices::ProgramServices(ProgramState& state, const PlatformServices& platform,
                                 std::function<void()> beep)
    : firstRun(platform.store, platform.messages)
    , sound(platform)
    , ghosts(state, platform, &sound)
    , boards(platform.boards)
    , attraction(state, platform, ghosts, [this] { return boards.openDoor(); })
    , control(
          state, attraction, ghosts, [this] { return boards.openDoor(); },
          [this] { return faults(); })
    , webAccess(state, platform.store, control, std::make_unique<WebAccessServer>(),
                GhostPictures::fromFolder(
                    RuntimeFiles::locate(QStringLiteral("Res/Img/BitmapList_GhostFoto"))))
    , netServer(platform, control, std::move(beep)) {
    QObject::connect(&boards, &HouseBoards::sensorTurnedOn, &boards,
                     [this](int input, int board) { ghosts.SensorAct(input, board); });
    // From the first start on the program key exists, whatever else fails.
    if (platform.store)
        platform.store->openKey(ProgramKey, true);
    firstRun.loadSettings();
    ghosts.loadSettings();
    webAccess.loadSettings();
    netServer.loadSettings();
    sound.loadSettings();
    attraction.loadSettings();
}

ProgramServices::~ProgramServices() {
    attraction.saveSettings();
    sound.saveSettings();
    netServer.saveSettings();
    webAccess.saveSettings();
    ghosts.saveSettings();
    firstRun.saveSettings();
}

void ProgramServices::startWhatIsWanted() {
    webAccess.autorunIfWanted();
    netServer.autoconnectIfWanted();
    if (attraction.options().Attraction_Autostart)
        control.startAttraction();
}

std::vector<ProgramFault> ProgramServices::faults() const {
    std::vector<ProgramFault> found;
    for (const auto& poller : boards.pollers())
        if (std::optional<ProgramFault> fault = poller->fault())
            found.push_back(*fault);
    for (const std::optional<ProgramFault>& fault : {sound.fault(), netServer.fault()})
        if (fault)
            found.push_back(*fault);
    return found;
}
