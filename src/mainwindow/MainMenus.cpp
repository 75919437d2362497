// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/MainMenus.h"

#include "mainwindow/CaptionedMenu.h"
#include "mainwindow/MainWindowCommands.h"
#include "widgetkit/ImageList.h"

#include <QContextMenuEvent>
#include <QWidget>

namespace {

// Entries of the MenuPictures list.
enum Picture {
    LanguagePicture = 0,
    RussianPicture = 1,
    EnglishPicture = 2,
    WebPicture = 3,
    NastrPicture = 4,
    GhostPicture = 5,
    ExitPicture = 6,
    SitePicture = 7,
    ProgramPagePicture = 8,
    NetPicture = 9,
};

const QString Caption = QStringLiteral("Gloamery");

} // namespace

MainMenus::MainMenus(MainWindowCommands& commands, const ImageList& MenuPictures, QObject* parent)
    : QObject(parent)
    , m_commands(commands)
    , m_pictures(MenuPictures)
    , m_main(std::make_unique<CaptionedMenu>(Caption, QStringLiteral("Verdana"), true))
    , m_tray(std::make_unique<CaptionedMenu>(Caption, QStringLiteral("Arial"), false)) {
    using Dialog = MainWindowCommands::Dialog;
    m_main->setObjectName(QStringLiteral("Menu_MainForm"));
    m_tray->setObjectName(QStringLiteral("Menu_Tray"));

    // The language is chosen in the settings dialog; these two items only name the languages.
    // Its two items leave no room for the caption: the main menu beside it carries that.
    auto* language = new CaptionedMenu({}, QStringLiteral("Verdana"), true, m_main.get());
    language->setObjectName(QStringLiteral("Menu_Lang"));
    language->setTitle(QStringLiteral("Язык интерфейса"));
    language->setIcon(m_pictures.pixmap(LanguagePicture));
    QAction* lang = m_main->addMenu(language);
    lang->setObjectName(QStringLiteral("MenuItem_Lang"));
    addItem(language, "MenuItem_Lang_Russ", QStringLiteral("Русский"), RussianPicture);
    addItem(language, "MenuItem_Lang_Engl", QStringLiteral("English (Не готов)"), EnglishPicture);

    connect(
        addItem(m_main.get(), "MenuItem_Web", QStringLiteral("Настройки Web доступа"), WebPicture),
        &QAction::triggered, this, [this] { m_commands.OpenDialog(Dialog::WebServer); });
    connect(addItem(m_main.get(), "MenuItem_Net", QStringLiteral("Сетевой сервер"), NetPicture),
            &QAction::triggered, this, [this] { m_commands.OpenDialog(Dialog::Net); });
    connect(addItem(m_main.get(), "MenuItem_Nastr", QStringLiteral("Настройки программы"),
                    NastrPicture),
            &QAction::triggered, this, [this] { m_commands.OpenDialog(Dialog::Nastr); });
    connect(addItem(m_main.get(), "MenuItem_Ghost", QStringLiteral("Настройки призраков"),
                    GhostPicture),
            &QAction::triggered, this, [this] { m_commands.OpenDialog(Dialog::Ghost); });
    // The newer windows after the older items, which keep their places; no picture of its own,
    // as the schedule is one of the program's settings.
    connect(addItem(m_main.get(), "MenuItem_Schedule", QStringLiteral("Расписание"), NastrPicture),
            &QAction::triggered, this, [this] { m_commands.OpenDialog(Dialog::Schedule); });
    connect(addItem(m_main.get(), "MenuItem_Sounds", QStringLiteral("Звуки"), GhostPicture),
            &QAction::triggered, this, [this] { m_commands.OpenDialog(Dialog::Sounds); });
    // No picture of its own, as it is a network link too.
    connect(addItem(m_main.get(), "MenuItem_Home", QStringLiteral("Умный дом"), NetPicture),
            &QAction::triggered, this, [this] { m_commands.OpenDialog(Dialog::Home); });
    connect(addItem(m_main.get(), "MenuItem_Exit", QStringLiteral("Выход"), ExitPicture),
            &QAction::triggered, this, [this] { m_commands.Sb_CloseClick(); });

    connect(addItem(m_tray.get(), "TrayMenu_1", QStringLiteral("Посетить наш сайт"), SitePicture),
            &QAction::triggered, this, [this] { m_commands.openProductSitePage(); });
    connect(addItem(m_tray.get(), "TrayMenu_2", QStringLiteral("Посетить страницу программы"),
                    ProgramPagePicture),
            &QAction::triggered, this, [this] { m_commands.Sb_InternetClick(); });
    connect(addItem(m_tray.get(), "TrayMenu_3", QStringLiteral("Выход"), ExitPicture),
            &QAction::triggered, this, [this] { m_commands.Sb_CloseClick(); });
}

MainMenus::~MainMenus() = default;

QMenu* MainMenus::Menu_MainForm() const {
    return m_main.get();
}

QMenu* MainMenus::Menu_Tray() const {
    return m_tray.get();
}

QAction* MainMenus::addItem(QMenu* menu, const char* name, const QString& caption, int picture) {
    QAction* item = menu->addAction(m_pictures.pixmap(picture), caption);
    item->setObjectName(QLatin1String(name));
    return item;
}

void MainMenus::attachTo(QWidget* window) {
    window->installEventFilter(this);
}

bool MainMenus::eventFilter(QObject* watched, QEvent* event) {
    // Context-menu events that a picture or panel leaves unhandled travel up to the window,
    // passing this filter on the way.
    if (event->type() == QEvent::ContextMenu) {
        m_main->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return QObject::eventFilter(watched, event);
}
