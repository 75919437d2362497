// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramWindows.h"

#include "app/ProgramServices.h"
#include "app/TfmLogo.h"
#include "core/DesktopAutostart.h"
#include "core/Edition.h"
#include "core/LogCategories.h"
#include "device/HouseBoards.h"
#include "ghosts/TfmGhost.h"
#include "home/TfmHomeAutomation.h"
#include "language/TfmHelp.h"
#include "mainwindow/TfmMain.h"
#include "net/TfmNet.h"
#include "schedule/ScheduleSettings.h"
#include "schedule/TfmSchedule.h"
#include "settings/TfmNastr.h"
#include "sound/TfmSound.h"
#include "sound/TfmSounds.h"
#include "web/TfmWebServer.h"
#include "widgetkit/PointerPoll.h"

#include <QCoreApplication>

#include <initializer_list>

ProgramWindows::ProgramWindows(ProgramState& state, const PlatformServices& platform,
                               ProgramServices& services, Language editionLanguage,
                               Observer observer)
    : m_observer(std::move(observer))
    , m_services(services)
    , fmMain(new TfmMain(state, platform, services.attraction, services.ghosts), m_observer)
    , fmHelp(new TfmHelp(state), m_observer)
    , fmLogo(new TfmLogo(state, platform, services.firstRun, editionLanguage, services.boards),
             m_observer)
    , fmGhost(new TfmGhost(state, platform, services.ghosts, fmMain->imageLists()), m_observer)
    , fmWebServer(new TfmWebServer(state, platform, fmMain->imageLists(), services.webAccess),
                  m_observer)
    , fmNet(new TfmNet(state, platform, services.netServer), m_observer)
    , fmSound(new TfmSound(state, services.sound), m_observer)
    , fmNastr(new TfmNastr(
                  state, platform, services.attraction.options(),
                  fmMain->imageLists().BitmapList_Yellow,
                  [help = fmHelp.operator->()] { help->ApplyLanguage(); }, fmMain),
              m_observer)
    , fmHomeAutomation(new TfmHomeAutomation(state, platform,
                                             fmMain->imageLists().BitmapList_Yellow, services.home),
                       m_observer)
    , fmSounds(new TfmSounds(state, platform, fmMain->imageLists().BitmapList_Yellow,
                             services.soundLibraries, services.sound),
               m_observer)
    , fmSchedule(new TfmSchedule(
                     state, platform, fmMain->imageLists().BitmapList_Yellow,
                     // The window edits what the schedule in force holds, and hands it back.
                     [&schedule = services.schedule] { return schedule.settings(); },
                     [&schedule = services.schedule](const ScheduleSettings& settings) {
                         return schedule.apply(settings);
                     }),
                 m_observer)
    , m_autostart(std::make_unique<DesktopAutostart>(editionName(editionLanguage),
                                                     QCoreApplication::applicationFilePath(),
                                                     DesktopAutostart::configHome())) {
    fmNastr->setAutostart(m_autostart.get());
    // The windows that take the language's fixed texts, in the order they are written.
    fmHelp->addLanguageTarget(fmMain);
    fmHelp->addLanguageTarget(fmWebServer);
    fmHelp->addLanguageTarget(fmGhost);
    // One reading of the pointer per tick for every window that shows hover looks.
    for (SkinnedDialog* dialog : std::initializer_list<SkinnedDialog*>{
             fmGhost, fmWebServer, fmNet, fmNastr, fmHomeAutomation, fmSounds, fmSchedule})
        dialog->sharePointerPoll(fmMain->pointerPoll());
    fmWebServer->setMainWindow(fmMain);
    QObject::connect(
        &services.webAccess, &WebAccessService::runningChanged, fmMain,
        [main = fmMain.operator->()](bool running) { main->setWebIndicator(running); });
    QObject::connect(&services.schedule, &EveningSchedule::changed, fmMain,
                     [main = fmMain.operator->(), &schedule = services.schedule] {
                         main->setEveningPlan({schedule.planEnds(), schedule.nextPlanStart(),
                                               schedule.quietUntil()});
                     });
    fmGhost->setMainWindow(fmMain);
    fmNet->setMainWindow(fmMain, SkinnedDialog::Placement::OwnPlace);
    fmSound->setGhostAct(
        [&ghosts = services.ghosts] { ghosts.GhostAct({ActTrigger::Source::SoundWindow}); });
    TfmMain::Dialogs dialogs;
    dialogs.help = fmHelp;
    dialogs.ghost = fmGhost;
    dialogs.nastr = fmNastr;
    dialogs.webServer = fmWebServer;
    dialogs.net = fmNet;
    dialogs.sound = fmSound;
    dialogs.home = fmHomeAutomation;
    dialogs.sounds = fmSounds;
    dialogs.schedule = fmSchedule;
    fmMain->setDialogs(dialogs);
}

ProgramWindows::~ProgramWindows() = default;

ProgramControl& ProgramWindows::control() {
    return m_services.control;
}

WebAccessService& ProgramWindows::webAccess() {
    return m_services.webAccess;
}

NetServerService& ProgramWindows::netServer() {
    return m_services.netServer;
}

HouseBoards& ProgramWindows::boards() {
    return m_services.boards;
}
