// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramWindows.h"

#include "app/ProgramControlHub.h"
#include "app/TfmLogo.h"
#include "core/DesktopAutostart.h"
#include "core/Edition.h"
#include "device/HouseBoards.h"
#include "ghosts/AttractionScheduler.h"
#include "ghosts/TfmGhost.h"
#include "language/TfmHelp.h"
#include "mainwindow/TfmMain.h"
#include "net/TfmNet.h"
#include "settings/TfmNastr.h"
#include "sound/SoundStage.h"
#include "sound/TfmSound.h"
#include "web/TfmWebServer.h"
#include "web/page/ManagementPage.h"
#include "web/server/WebAccessServer.h"
#include "widgetkit/ImageList.h"
#include "widgetkit/PointerPoll.h"

#include <QCoreApplication>

#include <initializer_list>

ProgramWindows::ProgramWindows(ProgramState& state, const PlatformServices& platform,
                               Language editionLanguage, Observer observer)
    : m_observer(std::move(observer))
    , m_sound(std::make_unique<SoundStage>(platform)) {
    fmMain = created(new TfmMain(state, platform));
    fmHelp = created(new TfmHelp(state));
    fmLogo = created(new TfmLogo(state, platform, editionLanguage));
    fmGhost = created(new TfmGhost(state, platform, fmMain->imageLists()));
    auto webServer = std::make_unique<WebAccessServer>();
    m_webAccessServer = webServer.get();
    m_webServer = std::move(webServer);
    fmWebServer = created(new TfmWebServer(state, platform, fmMain->imageLists(), *m_webServer));
    fmNet = created(new TfmNet(state, platform));
    // The sound settings are read where the sound window used to read them.
    m_sound->loadSettings();
    fmSound = created(new TfmSound(state, *m_sound));
    fmNastr = created(new TfmNastr(
        state, platform, fmMain->imageLists().BitmapList_Yellow,
        [help = fmHelp] { help->ApplyLanguage(); }, fmMain));
    m_autostart = std::make_unique<DesktopAutostart>(editionName(editionLanguage),
                                                     QCoreApplication::applicationFilePath(),
                                                     DesktopAutostart::configHome());
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
    fmWebServer->setWebIndicator([main = fmMain](bool running) { main->setWebIndicator(running); });
    fmGhost->setMainWindow(fmMain);
    fmNet->setMainWindow(fmMain, SkinnedDialog::Placement::OwnPlace);
    fmGhost->setSoundOutput(m_sound.get());
    fmSound->setGhostAct(
        [ghosts = fmGhost] { ghosts->GhostAct({ActTrigger::Source::SoundWindow}); });
    fmMain->attachGhosts(&fmGhost->ghostTable(), &fmGhost->currentAct(), m_sound.get(),
                         [ghosts = fmGhost] { ghosts->GhostAct({ActTrigger::Source::Scheduler}); });
    fmMain->attraction().setOptions(&fmNastr->options());
    HouseBoards* house = &fmLogo->house();
    QObject::connect(house, &HouseBoards::sensorTurnedOn, fmGhost,
                     [ghosts = fmGhost](int input, int board) { ghosts->SensorAct(input, board); });
    fmMain->setDoorOpener([house] { house->openDoor(); });
    m_control = std::make_unique<ProgramControlHub>(state, *fmMain, *fmGhost,
                                                    [house] { return house->openDoor(); });
    fmNet->setProgramControl(m_control.get());
    m_managementPage = std::make_unique<ManagementPage>(
        [web = fmWebServer] { return web->settings(); }, *m_control,
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
    fmNet->setProgramControl(nullptr);
    // Page requests still on their way get the empty reply from here on.
    m_webAccessServer->setPageHandler(nullptr);
    m_managementPage.reset();
    m_control.reset();
    fmMain->setDoorOpener({});
    fmMain->attraction().setOptions(nullptr);
    destroy(fmNastr);
    fmGhost->setSoundOutput(nullptr);
    fmMain->attachGhosts(nullptr, nullptr, nullptr, {});
    fmMain->setDialogs({});
    destroy(fmSound);
    m_sound.reset(); // saves where the sound window used to
    destroy(fmNet);
    fmWebServer->setWebIndicator({});
    destroy(fmWebServer);
    destroy(fmGhost);
    destroy(fmLogo);
    destroy(fmHelp);
    destroy(fmMain);
}

template <typename Window>
Window* ProgramWindows::created(Window* window) {
    if (m_observer)
        m_observer(window->objectName(), true);
    return window;
}

template <typename Window>
void ProgramWindows::destroy(Window*& window) {
    const QString name = window->objectName();
    delete window;
    window = nullptr;
    if (m_observer)
        m_observer(name, false);
}
