// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramWindows.h"

#include "app/ProgramServices.h"
#include "app/TfmLogo.h"
#include "core/DesktopAutostart.h"
#include "core/Edition.h"
#include "device/HouseBoards.h"
#include "ghosts/TfmGhost.h"
#include "language/TfmHelp.h"
#include "mainwindow/TfmMain.h"
#include "net/TfmNet.h"
#include "settings/TfmNastr.h"
#include "sound/TfmSound.h"
#include "web/TfmWebServer.h"
#include "web/page/ManagementPage.h"
#include "web/server/WebAccessServer.h"
#include "widgetkit/ImageList.h"
#include "widgetkit/PointerPoll.h"

#include <QCoreApplication>

#include <initializer_list>

namespace {

std::unique_ptr<WebAccessServer> makeWebServer(WebAccessServer*& server) {
    auto made = std::make_unique<WebAccessServer>();
    server = made.get();
    return made;
}

} // namespace

ProgramWindows::ProgramWindows(ProgramState& state, const PlatformServices& platform,
                               ProgramServices& services, Language editionLanguage,
                               Observer observer)
    : m_observer(std::move(observer))
    , m_services(services)
    , m_webServer(makeWebServer(m_webAccessServer))
    , fmMain(new TfmMain(state, platform, services.attraction, services.ghosts), m_observer)
    , fmHelp(new TfmHelp(state), m_observer)
    , fmLogo(new TfmLogo(state, platform, services.firstRun, editionLanguage), m_observer)
    , fmGhost(new TfmGhost(state, platform, services.ghosts, fmMain->imageLists()), m_observer)
    , fmWebServer(new TfmWebServer(state, platform, fmMain->imageLists(), *m_webServer), m_observer)
    , fmNet(new TfmNet(state, platform), m_observer)
    , fmSound(new TfmSound(state, platform, services.ghosts.currentAct()), m_observer)
    , fmNastr(new TfmNastr(
                  state, platform, services.attraction.options(),
                  fmMain->imageLists().BitmapList_Yellow,
                  [help = fmHelp.operator->()] { help->ApplyLanguage(); }, fmMain),
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
    for (SkinnedDialog* dialog :
         std::initializer_list<SkinnedDialog*>{fmGhost, fmWebServer, fmNet, fmNastr})
        dialog->sharePointerPoll(fmMain->pointerPoll());
    fmWebServer->setMainWindow(fmMain);
    fmWebServer->setWebIndicator(
        [main = fmMain.operator->()](bool running) { main->setWebIndicator(running); });
    fmGhost->setMainWindow(fmMain);
    fmNet->setMainWindow(fmMain, SkinnedDialog::Placement::OwnPlace);
    services.ghosts.setSound(fmSound);
    fmSound->setGhostAct(
        [&ghosts = services.ghosts] { ghosts.GhostAct({ActTrigger::Source::SoundWindow}); });
    HouseBoards* house = &fmLogo->house();
    QObject::connect(
        house, &HouseBoards::sensorTurnedOn, fmGhost,
        [&ghosts = services.ghosts](int input, int board) { ghosts.SensorAct(input, board); });
    services.setDoor([house] { return house->openDoor(); });
    fmNet->setProgramControl(&services.control);
    m_managementPage = std::make_unique<ManagementPage>(
        [web = fmWebServer.operator->()] { return web->settings(); }, services.control,
        GhostPictures::fromFolder(ImageList::resDir() +
                                  QStringLiteral("/Img/BitmapList_GhostFoto")));
    m_webAccessServer->setPageHandler(m_managementPage.get());
    TfmMain::Dialogs dialogs;
    dialogs.help = fmHelp;
    dialogs.ghost = fmGhost;
    dialogs.nastr = fmNastr;
    dialogs.webServer = fmWebServer;
    dialogs.net = fmNet;
    dialogs.sound = fmSound;
    fmMain->setDialogs(dialogs);
}

ProgramWindows::~ProgramWindows() {
    // Page requests still on their way get the empty reply from here on.
    m_webAccessServer->setPageHandler(nullptr);
    m_services.setDoor({});
    m_services.ghosts.setSound(nullptr);
}

ProgramControl& ProgramWindows::control() {
    return m_services.control;
}
