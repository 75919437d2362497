// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/TfmMain.h"

#include "core/Clock.h"
#include "core/Desktop.h"
#include "core/DesktopShell.h"
#include "core/LogCategories.h"
#include "core/PointerSource.h"
#include "core/ProgramState.h"
#include "core/RandomSource.h"
#include "core/RuntimeFiles.h"
#include "core/ScreenPlacement.h"
#include "core/SettingsStore.h"
#include "core/StoreAccess.h"
#include "ghosts/Attraction.h"
#include "ghosts/Ghosts.h"
#include "language/LanguageTexts.h"
#include "language/TextEntries.h"
#include "mainwindow/GhostQuickPanels.h"
#include "mainwindow/HintLineBreaks.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/MainPresentationView.h"
#include "mainwindow/MainWindowColors.h"
#include "mainwindow/Presentation.h"
#include "mainwindow/QuickPanel.h"
#include "mainwindow/TrayIcon.h"
#include "mainwindow/WindowCommands.h"
#include "widgetkit/ClickSource.h"
#include "widgetkit/ColorKey.h"
#include "widgetkit/ImageEntries.h"
#include "widgetkit/IndicatorLamp.h"
#include "widgetkit/PointerPoll.h"
#include "widgetkit/SkinParts.h"
#include "widgetkit/WindowDrag.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPainter>

namespace {

constexpr int GhostLefts[] = {45, 225, 420, 615};
QRect ghostPlace(int ghost) {
    return {GhostLefts[ghost - 1], 152, 120, 120};
}

const QRect StartButtonPlace(316, 318, 164, 50);
const QRect ClosePlace(710, 13, 48, 48);

// Start button pictures: outside, inside, inside and pressed; Russian ones 18 further on. While
// the attraction runs the button shows its "Stop" face (the lamps that would say so lie out of
// sight), kept at the end of the list so the older entries keep their numbers.
int startButtonPicture(Language language, bool running, bool hover, bool pressed) {
    using namespace YellowImage;
    const bool russian = language == Language::Russian;
    const int base =
        running ? (russian ? StopRussian : StopEnglish) : (russian ? StartRussian : StartEnglish);
    if (!hover)
        return base + ButtonState::Normal;
    return base + (pressed ? ButtonState::Pressed : ButtonState::Hover);
}

} // namespace

TfmMain::TfmMain(ProgramState& state, const PlatformServices& platform, Attraction& attraction,
                 Ghosts& ghosts)
    : QWidget(nullptr, Qt::FramelessWindowHint)
    , m_state(state)
    , m_platform(platform)
    , m_attraction(attraction)
    , m_probe(requireService(platform.pointer, "The main window", "pointer"))
    , StartButtonBuffer(StartButtonPlace.size(), QImage::Format_ARGB32_Premultiplied) {
    setObjectName(QStringLiteral("fmMain"));
    setWindowTitle(QStringLiteral("Gloamery"));
    // Hints are on for the whole program, and the dialogs' hints break lines the same way.
    QCoreApplication::instance()->installEventFilter(new HintLineBreaks(this));
    m_state.SplashShown = false;
    // From the first start on the program key exists, whatever else fails.
    if (m_platform.store)
        m_platform.store->openKey(ProgramKey, true);
    StartButtonBuffer.fill(Qt::transparent);

    QPalette colours = palette();
    colours.setColor(QPalette::Window, MainWindowColors::Background);
    colours.setColor(QPalette::WindowText, MainWindowColors::Text);
    setPalette(colours);
    QFont standard(QStringLiteral("DejaVu Sans"));
    standard.setPixelSize(11);
    setFont(standard);
    resize(WindowWidth, WindowHeight);
    createControls();
    m_panels->attach(&ghosts.table(), &ghosts.currentAct(), ghosts.sound());
    WindowDrag::install(this, this);

    Timer_Presentation.setParent(this);
    Timer_Presentation.setObjectName(QStringLiteral("Timer_Presentation"));
    m_pointerPoll = new PointerPoll(*platform.pointer, QStringLiteral("Timer_Work"), this);
    m_pointerPoll->add(this, [this](QPoint pointer) { trackReading(pointer); });
    connect(&m_attraction, &Attraction::runningChanged, this, [this](bool running) {
        setAttractionIndicator(running);
        // At once, not at the next tick: the click that started it should see the face change.
        if (!Timer_Presentation.isActive())
            drawStartButton();
    });
    Timer_Presentation.setInterval(Presentation::TickMs);
    connect(&Timer_Presentation, &QTimer::timeout, this, [this] {
        if (m_presentation)
            m_presentation->Timer_PresentationTimer();
    });
    createCommands();
}

TfmMain::~TfmMain() {
    m_menus.reset();
    m_commands.reset();
    // The main window writes nothing; it only makes sure the program key is there.
    if (m_platform.store)
        m_platform.store->openKey(ProgramKey, true);
}

void TfmMain::loadSkin() {
    if (m_skinLoaded)
        return;
    m_skinLoaded = true;
    const QImage& skin = m_skin.use();
    if (skin.isNull())
        return; // a plain rectangle then, but a working one
    // The mask keeps the pointer off the key; the picture itself leaves the key unpainted on a
    // translucent window, for where the mask cuts nothing more: on Wayland it limits input only,
    // and some compositors ignore the X shape and would show a magenta frame.
    setMask(ColorKey::regionWithoutKey(skin));
    setAttribute(Qt::WA_TranslucentBackground);
}

QLabel* TfmMain::makeImage(const char* name, const QRect& place) {
    auto* image = new QLabel(this);
    image->setObjectName(QLatin1String(name));
    image->setGeometry(place);
    image->setCursor(Qt::PointingHandCursor);
    return image;
}

void TfmMain::createControls() {
    for (int ghost = 1; ghost <= 4; ++ghost) {
        QLabel* image = makeImage("", ghostPlace(ghost));
        image->setObjectName(QStringLiteral("Img_Ghost_%1").arg(ghost));
        image->setPixmap(BitmapList_Ghost.pixmap(GhostImage::first(ghost) + GhostImage::Floating));
        Img_Ghost[static_cast<size_t>(ghost - 1)] = image;
    }
    // Over the pictures, hidden until the pointer comes.
    m_panels = new GhostQuickPanels(this);
    m_panels->setPictureSetter([this](int ghost, int entry) { setGhostPicture(ghost, entry); });

    Sb_Attraction_Show = makeImage("Sb_Attraction_Show", StartButtonPlace);
    ClickSource* start = ClickSource::on(Sb_Attraction_Show);
    connect(start, &ClickSource::pressed, this, [this] { StartButtonPressed = true; });
    connect(start, &ClickSource::released, this, [this] { StartButtonPressed = false; });
    connect(start, &ClickSource::clicked, this, &TfmMain::Sb_Attraction_ShowClick);

    Sb_Close = makeImage("Sb_Close", ClosePlace);
    SkinParts::showEntry(Sb_Close, BitmapList_Btn, BtnImage::Close);
    // Beyond the window's bottom edge: reached only through the menus.
    Sb_Help = makeImage("Sb_Help", {2, 840, 22, 23});
    Sb_Internet = makeImage("Sb_Internet", {32, 840, 22, 23});
    Sb_Min = makeImage("Sb_Min", {62, 840, 22, 23});

    const auto makeLamp = [this](const char* panelName, const char* lampName, int left,
                                 QWidget*& panel, IndicatorLamp*& lamp) {
        panel = new QWidget(this);
        panel->setObjectName(QLatin1String(panelName));
        panel->setGeometry(left, 870, 20, 20);
        lamp = new IndicatorLamp(panel);
        lamp->setObjectName(QLatin1String(lampName));
        lamp->setGeometry(2, 1, 16, 8);
    };
    makeLamp("Panel_Indicator_Attraction_Show", "Indicator_Attraction_Show", 2,
             Panel_Indicator_Attraction_Show, Indicator_Attraction_Show);
    makeLamp("Panel_Indicator_Web", "Indicator_Web", 62, Panel_Indicator_Web, Indicator_Web);

    for (QLabel** label : {&Lbl1, &Lbl2}) {
        *label = new QLabel(this);
        MainPresentationView::styleTextLine(**label);
    }
    Lbl1->setObjectName(QStringLiteral("Lbl1"));
    Lbl1->setGeometry(45, 100, 710, 40);
    Lbl2->setObjectName(QStringLiteral("Lbl2"));
    Lbl2->setGeometry(45, 300, 710, 40);
    hidePresentationLabels();
    createCommandLabels();
    setAttractionIndicator(false);
    setWebIndicator(false);
}

void TfmMain::createCommandLabels() {
    struct Command {
        const char* name;
        int top;
        MainWindowCommands::Dialog dialog;
    };
    // Out of sight below the window; the menus reach the first three.
    using Dialog = MainWindowCommands::Dialog;
    const Command commands[] = {
        {"Lbl_Ghost", 688, Dialog::Ghost},         {"Lbl_Nastr", 708, Dialog::Nastr},
        {"Lbl_WebServer", 728, Dialog::WebServer}, {"Lbl_Net", 748, Dialog::Net},
        {"Lbl_Sound", 768, Dialog::Sound},         {"Lbl_Home", 788, Dialog::Home},
        {"Lbl_Sounds", 808, Dialog::Sounds},       {"Lbl_Schedule", 828, Dialog::Schedule}};
    for (const Command& command : commands) {
        auto* label = new QLabel(QLatin1String(command.name), this);
        label->setObjectName(QLatin1String(command.name));
        label->move(8, command.top);
        connect(ClickSource::on(label), &ClickSource::clicked, this,
                [this, dialog = command.dialog] { OpenDialog(dialog); });
    }
    auto* presentation = new QLabel(QStringLiteral("Презентация"), this);
    presentation->setObjectName(QStringLiteral("Sb_Presentation"));
    presentation->setGeometry(144, 754, 100, 22);
    connect(ClickSource::on(presentation), &ClickSource::clicked, this,
            &TfmMain::StartPresentation);
}

void TfmMain::createCommands() {
    m_tray = new TrayIcon(nullptr, this);
    m_commands = std::make_unique<WindowCommands>(
        *this, *m_tray, requireService(m_platform.shell, "The main window", "shell"), m_state,
        WindowCommands::Places{RuntimeFiles::folders(), {}});
    m_menus = std::make_unique<MainMenus>(*m_commands, MenuPictures);
    m_tray->setMenu(m_menus->Menu_Tray());
    m_tray->setOnDoubleClick([this] { m_commands->TrayIconDblClick(); });
    m_menus->attachTo(this);

    const std::pair<QLabel*, void (WindowCommands::*)()> buttons[] = {
        {Sb_Close, &WindowCommands::Sb_CloseClick},
        {Sb_Min, &WindowCommands::Sb_MinClick},
        {Sb_Help, &WindowCommands::Sb_HelpClick},
        {Sb_Internet, &WindowCommands::Sb_InternetClick}};
    for (const auto& [button, command] : buttons)
        connect(ClickSource::on(button), &ClickSource::clicked, this,
                [this, command = command] { (m_commands.get()->*command)(); });
}

MainWindowCommands& TfmMain::commands() {
    return *m_commands;
}

void TfmMain::setDialogs(const Dialogs& dialogs) {
    using Dialog = MainWindowCommands::Dialog;
    m_dialogs = dialogs;
    const std::pair<Dialog, QWidget*> windows[] = {
        {Dialog::Ghost, dialogs.ghost},         {Dialog::Nastr, dialogs.nastr},
        {Dialog::WebServer, dialogs.webServer}, {Dialog::Net, dialogs.net},
        {Dialog::Sound, dialogs.sound},         {Dialog::Home, dialogs.home},
        {Dialog::Sounds, dialogs.sounds},       {Dialog::Schedule, dialogs.schedule}};
    // A window that is not there yet keeps its command doing nothing.
    for (const auto& [dialog, window] : windows)
        m_commands->setDialog(dialog, window ? DialogHandle::forWidget(window) : DialogHandle{});
}

void TfmMain::OpenDialog(MainWindowCommands::Dialog dialog) {
    m_commands->OpenDialog(dialog);
}

void TfmMain::recentreMainWindow() {
    if (m_platform.desktop)
        placeOnDesktop(m_platform.desktop->availableArea());
}

void TfmMain::closeHelpWindow() {
    if (m_dialogs.help)
        m_dialogs.help->close();
}

void TfmMain::dialogOpening(MainWindowCommands::Dialog dialog) {
    if (dialog == MainWindowCommands::Dialog::Ghost)
        m_panels->rememberGhosts();
}

void TfmMain::dialogClosed(MainWindowCommands::Dialog dialog) {
    if (dialog == MainWindowCommands::Dialog::Ghost)
        m_panels->showChangedGhosts();
}

void TfmMain::setGhostPicture(int ghost, int entry) {
    Img_Ghost[static_cast<size_t>(ghost - 1)]->setPixmap(BitmapList_Ghost.pixmap(entry));
}

void TfmMain::ShowMainWindow() {
    if (m_showSequence && !m_showSequence())
        return;
    show();
    // The presentation only moves while this window is active; after the modal splash nothing
    // else would make it so.
    raise();
    activateWindow();
}

void TfmMain::placeOnDesktop(const QRect& area) {
    setGeometry(QRect(ScreenPlacement::centred(area, WindowWidth, WindowTop),
                      QSize(WindowWidth, WindowHeight)));
}

void TfmMain::setAttractionIndicator(bool running) {
    Indicator_Attraction_Show->setFill(running ? MainWindowColors::AttractionLampRunning
                                               : MainWindowColors::LampStopped);
    if (!m_texts)
        return;
    const LanguageTexts& texts = *m_texts;
    const QString plan = m_plan.text(m_state.InterfaceLanguage);
    const QString planLine = plan.isEmpty() ? QString() : QStringLiteral("\n") + plan;
    Indicator_Attraction_Show->setToolTip(
        texts[running ? TextEntry::AttractionRunning : TextEntry::AttractionStopped] + planLine);
    Sb_Attraction_Show->setToolTip(
        texts[running ? TextEntry::StopAttractionHint : TextEntry::RunAttractionHint]);
    // The lamp is out of sight; from the tray, its hint is the one way to tell.
    if (m_tray)
        m_tray->setToolTip(
            QStringLiteral("Gloamery: ") +
            texts[running ? TextEntry::AttractionRunning : TextEntry::AttractionStopped] +
            planLine);
}

void TfmMain::setEveningPlan(const EveningPlanHint& plan) {
    m_plan = plan;
    setAttractionIndicator(m_state.AttractionRunning);
}

void TfmMain::setWebIndicator(bool running) {
    Indicator_Web->setFill(running ? MainWindowColors::WebLampRunning
                                   : MainWindowColors::LampStopped);
    if (m_texts)
        Indicator_Web->setToolTip(
            (*m_texts)[running ? TextEntry::WebServerRunning : TextEntry::WebServerStopped]);
}

void TfmMain::applyLanguageTexts(const LanguageTexts& texts) {
    m_texts = &texts;
    if (!m_presentation) {
        // The texts live in the language holder, made after this window: the first time they
        // arrive is the time to set up the presentation that reads them.
        MainPresentationView::Controls controls;
        controls.window = this;
        controls.Timer_Presentation = &Timer_Presentation;
        controls.Sb_Attraction_Show = Sb_Attraction_Show;
        controls.Lbl1 = Lbl1;
        controls.Lbl2 = Lbl2;
        controls.Img_Ghost = Img_Ghost;
        controls.BitmapList_Ghost = &BitmapList_Ghost;
        controls.ShowGhostImages = [this] {
            ShowGhostImages();
        };
        m_presentationView = std::make_unique<MainPresentationView>(controls);
        m_presentation = std::make_unique<Presentation>(*m_presentationView, texts, m_state);
    }
    m_panels->applyLanguageTexts(texts);
    Sb_Help->setToolTip(texts[TextEntry::HelpHint]);
    Sb_Internet->setToolTip(texts[TextEntry::WebsiteHint]);
    Sb_Min->setToolTip(texts[TextEntry::MinimiseHint]);
    Sb_Close->setToolTip(texts[TextEntry::ExitHint]);
    setAttractionIndicator(m_state.AttractionRunning);
    setWebIndicator(m_state.WebServerRunning);
}

void TfmMain::PlaceMainControls() {
    Sb_Close->setGeometry(ClosePlace);
    Sb_Close->show();
    for (int ghost = 1; ghost <= 4; ++ghost) {
        QLabel* image = Img_Ghost[static_cast<size_t>(ghost - 1)];
        image->setGeometry(ghostPlace(ghost));
        image->show();
    }
}

void TfmMain::ShowGhostImages() {
    for (QLabel* image : Img_Ghost)
        image->show();
}

void TfmMain::hidePresentationLabels() {
    Lbl1->hide();
    Lbl2->hide();
}

void TfmMain::StartPresentation() {
    qCInfo(lcApp) << "presentation";
    if (m_presentation)
        m_presentation->Sb_PresentationClick();
    emit presentationStarted();
}

void TfmMain::RefreshQuickPanels() {
    m_panels->refreshAll();
}

void TfmMain::setVisible(bool visible) {
    // Read at the first show, after the splash: nobody sees the skin before that.
    if (visible)
        loadSkin();
    QWidget::setVisible(visible);
    const bool watching = m_pointerPoll->isWatching(this);
    if (isVisible() == watching)
        return;
    m_pointerPoll->setWatching(this, isVisible());
    // Shown: the looks follow the pointer from the start. Hidden: every rectangle test fails, so
    // one tick closes the panels and unlights the labels, and nothing changes after it until
    // the window is shown again.
    TrackPointer();
}

void TfmMain::TrackPointer() {
    m_probe.sample();
    trackReading(m_probe.position());
}

void TfmMain::trackReading(QPoint pointer) {
    m_probe.use(pointer);
    trackCornerButtons();
    if (Sb_Attraction_Show->isVisible()) {
        for (int ghost = 1; ghost <= 4; ++ghost) {
            const QLabel* image = Img_Ghost[static_cast<size_t>(ghost - 1)];
            const bool hovered = image->isVisible() && m_probe.inside(image);
            m_panels->panel(ghost)->setVisible(hovered);
        }
    }
    if (Timer_Presentation.isActive()) {
        Sb_Attraction_Show->hide();
    } else {
        StartButtonHover = m_probe.insideRect(this, StartButtonPlace);
        drawStartButton();
    }
    m_panels->trackHover(m_probe);
}

void TfmMain::trackCornerButtons() {
    QLabel* const corner[] = {Sb_Min, Sb_Help, Sb_Close, Sb_Internet};
    if (m_state.DialogOpen) {
        for (QLabel* button : corner)
            button->hide();
        return;
    }
    for (QLabel* button : corner)
        button->show();
    // The box keeps the close button's design size whatever the control's size.
    CloseButtonHover = m_probe.insideRect(this, QRect(Sb_Close->pos(), QSize(48, 48)));
    // Through showEntry: a label given its picture again repaints, ten times a second.
    SkinParts::showEntry(Sb_Help, BitmapList_Btn, BtnImage::Help);
    SkinParts::showEntry(Sb_Internet, BitmapList_Btn, BtnImage::WebPage);
    SkinParts::showEntry(Sb_Min, BitmapList_Btn, BtnImage::Minimise);
    SkinParts::showEntry(Sb_Close, BitmapList_Btn,
                         CloseButtonHover ? BtnImage::CloseHover : BtnImage::Close);
}

void TfmMain::drawStartButton() {
    const int entry = startButtonPicture(m_state.InterfaceLanguage, m_state.AttractionRunning,
                                         StartButtonHover, StartButtonPressed);
    if (entry == m_startButtonEntry)
        return;
    m_startButtonEntry = entry;
    StartButtonBuffer.fill(Qt::transparent);
    QPainter(&StartButtonBuffer).drawImage(0, 0, BitmapList_Yellow.image(entry));
    Sb_Attraction_Show->setPixmap(QPixmap::fromImage(StartButtonBuffer));
}

void TfmMain::Sb_Attraction_ShowClick() {
    m_attraction.toggle();
}

void TfmMain::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QImage& skin = m_skin.use();
    if (skin.isNull()) {
        painter.fillRect(rect(), MainWindowColors::Background);
        return;
    }
    // The key cut to alpha where it is drawn, from the shape already held: a copy of the skin
    // with an alpha channel would hold a third more for all the time the skin is kept.
    painter.setClipRegion(mask());
    painter.drawImage(0, 0, skin);
}

void TfmMain::hideMainWindow() {
    // Left minimised, the window would come back from the tray as a taskbar entry only.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    hide();
}

void TfmMain::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // The skinned window has no minimise button of its own; a minimise from the taskbar or the
    // window manager goes to the tray like the minimise command, where the desktop has one. Not
    // under an open dialog: that would stay on screen, its window behind it gone.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && m_tray->isAvailable())
        QTimer::singleShot(0, this, [this] {
            if (isMinimized() && !m_state.DialogOpen)
                m_commands->Sb_MinClick();
        });
}

void TfmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    // Only this window's close ends the program; the windows are then destroyed by the program
    // itself, in reverse order of creation.
    QCoreApplication::quit();
}
