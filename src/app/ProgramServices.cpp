// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramServices.h"

#include "core/ProgramState.h"
#include "core/RuntimeFiles.h"
#include "core/SettingsStore.h"
#include "core/StoreAccess.h"
#include "device/BoardPoller.h"
#include "web/server/WebAccessServer.h"

#include <QCoreApplication>

ProgramServices::ProgramServices(ProgramState& state, const PlatformServices& platform,
                                 std::function<void()> beep)
    : firstRun(platform.store, platform.messages)
    , sound(platform)
    , soundLibraries(sound.places(), state.InterfaceLanguage)
    , ghosts(state, platform, &sound)
    , boards(platform.boards)
    , attraction(state, platform, ghosts, [this] { return boards.openDoor(); })
    , control(
          state, attraction, ghosts, [this] { return boards.openDoor(); },
          [this] { return faults(); })
    , schedule(state, platform, attraction, ghosts, control)
    , webAccess(state, platform.store, control, std::make_unique<WebAccessServer>(),
                GhostPictures::fromFolder(
                    RuntimeFiles::locate(QStringLiteral("Res/Img/BitmapList_GhostFoto"))))
    , netServer(platform, control, std::move(beep))
    , home(platform.store, control, house(boards), platform.mqtt,
           requireService(platform.clock, "The home automation", "clock"),
           QCoreApplication::applicationVersion()) {
    QObject::connect(&boards, &HouseBoards::sensorTurnedOn, &boards,
                     [this](int input, int board) { ghosts.SensorAct(input, board); });
    QObject::connect(&soundLibraries, &SoundLibraryWorkshop::libraryChanged, &sound,
                     &SoundStage::libraryChanged);
    tellTheHome();
    // From the first start on the program key exists, whatever else fails.
    if (platform.store)
        platform.store->openKey(ProgramKey, true);
    firstRun.loadSettings();
    ghosts.loadSettings();
    webAccess.loadSettings();
    netServer.loadSettings();
    sound.loadSettings();
    attraction.loadSettings();
    schedule.loadSettings();
    home.loadSettings();
    control.setSchedule(&schedule);
}

ProgramServices::~ProgramServices() {
    home.saveSettings();
    schedule.saveSettings();
    attraction.saveSettings();
    sound.saveSettings();
    netServer.saveSettings();
    webAccess.saveSettings();
    ghosts.saveSettings();
    firstRun.saveSettings();
}

HomeHouse ProgramServices::house(HouseBoards& boards) {
    return {[&boards](int input, bool on) { boards.setHomeInput(input, on); },
            [&boards](int input) { boards.pressHomeInput(input); },
            [&boards](int input) { return boards.inputOn(input); },
            [&boards] {
                return boards.doorOpening();
            }};
}

void ProgramServices::tellTheHome() {
    QObject::connect(&boards, &HouseBoards::inputChanged, &home, &HomeAutomation::inputChanged);
    QObject::connect(&boards, &HouseBoards::doorChanged, &home, &HomeAutomation::doorChanged);
    QObject::connect(&attraction, &Attraction::runningChanged, &home,
                     &HomeAutomation::attractionChanged);
    QObject::connect(&sound, &SoundStage::reported, &home, [this](const SoundReport& report) {
        home.soundStarted(report.started, report.description);
    });
    ghosts.setActListener(
        [this](const CurrentAct& act, const QString& name, const ActTrigger& trigger, bool played) {
            home.acted(HomeAutomation::actOf(act, name, trigger, played));
        });
}

void ProgramServices::startWhatIsWanted() {
    webAccess.autorunIfWanted();
    netServer.autoconnectIfWanted();
    home.startIfEnabled();
    if (attraction.options().Attraction_Autostart)
        control.startAttraction();
    schedule.start();
}

std::vector<ProgramFault> ProgramServices::faults() const {
    std::vector<ProgramFault> found;
    for (const auto& poller : boards.pollers())
        if (std::optional<ProgramFault> fault = poller->fault())
            found.push_back(*fault);
    for (const std::optional<ProgramFault>& fault :
         {sound.fault(), netServer.fault(), home.fault()})
        if (fault)
            found.push_back(*fault);
    return found;
}
