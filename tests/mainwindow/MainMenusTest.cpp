// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/MainMenus.h"

#include "core/ProgramState.h"
#include "mainwindow/CaptionedMenu.h"
#include "mainwindow/MainWindowCommands.h"
#include "widgetkit/ImageList.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class RecordingCommands : public MainWindowCommands {
public:
    QStringList calls;
    void Sb_CloseClick() override { calls << QStringLiteral("exit"); }
    void Sb_MinClick() override { calls << QStringLiteral("minimise"); }
    void TrayIconDblClick() override { calls << QStringLiteral("restore"); }
    void Sb_HelpClick() override { calls << QStringLiteral("help"); }
    void Sb_InternetClick() override { calls << QStringLiteral("programPage"); }
    void openProductSitePage() override { calls << QStringLiteral("sitePage"); }
    void OpenDialog(Dialog dialog) override {
        static const char* const names[] = {"ghost", "nastr", "web",    "net",
                                            "sound", "home",  "sounds", "schedule"};
        calls << QStringLiteral("dialog:%1").arg(QLatin1String(names[static_cast<int>(dialog)]));
    }
};

class MainMenusTest : public ::testing::Test {
protected:
    QAction* item(const QMenu* menu, const char* name) {
        auto* action = menu->findChild<QAction*>(QLatin1String(name));
        if (!action) {
            // Submenu items are children of the submenu.
            for (const QMenu* sub : menu->findChildren<QMenu*>())
                if ((action = sub->findChild<QAction*>(QLatin1String(name))))
                    break;
        }
        return action;
    }

    RecordingCommands commands;
    ImageList pictures{QStringLiteral("MenuPictures")};
    MainMenus menus{commands, pictures};
};

QStringList Captions(const QMenu* menu) {
    QStringList captions;
    for (const QAction* action : menu->actions())
        captions << action->text();
    return captions;
}

TEST_F(MainMenusTest, MainMenuHasNineEntriesTheFirstASubmenuOfTheTwoLanguages) {
    const QMenu* main = menus.Menu_MainForm();
    EXPECT_EQ(Captions(main),
              (QStringList{"Язык интерфейса", "Настройки Web доступа", "Сетевой сервер",
                           "Настройки программы", "Настройки призраков", "Расписание", "Звуки",
                           "Умный дом", "Выход"}));
    const QMenu* language = main->actions().at(0)->menu();
    ASSERT_NE(language, nullptr);
    EXPECT_EQ(Captions(language), (QStringList{"Русский", "English (Не готов)"}));
}

TEST_F(MainMenusTest, TrayMenuHasThreeEntries) {
    EXPECT_EQ(Captions(menus.Menu_Tray()),
              (QStringList{"Посетить наш сайт", "Посетить страницу программы", "Выход"}));
}

TEST_F(MainMenusTest, EachEntryRunsItsCommand) {
    const struct {
        const char* item;
        QStringList calls;
    } cases[] = {
        {"MenuItem_Lang_Russ", {}},
        {"MenuItem_Lang_Engl", {}},
        {"MenuItem_Web", {"dialog:web"}},
        {"MenuItem_Net", {"dialog:net"}},
        {"MenuItem_Home", {"dialog:home"}},
        {"MenuItem_Sounds", {"dialog:sounds"}},
        {"MenuItem_Schedule", {"dialog:schedule"}},
        {"MenuItem_Nastr", {"dialog:nastr"}},
        {"MenuItem_Ghost", {"dialog:ghost"}},
        {"MenuItem_Exit", {"exit"}},
        {"TrayMenu_1", {"sitePage"}},
        {"TrayMenu_2", {"programPage"}},
        {"TrayMenu_3", {"exit"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        QAction* action = item(menus.Menu_MainForm(), c.item);
        if (!action)
            action = item(menus.Menu_Tray(), c.item);
        ASSERT_NE(action, nullptr);
        commands.calls.clear();
        action->trigger();
        EXPECT_EQ(commands.calls, c.calls);
    }
}

TEST_F(MainMenusTest, EveryEntryHasItsPicture) {
    ASSERT_EQ(pictures.count(), 10) << "the artwork is built before the tests";
    for (const QMenu* menu : {menus.Menu_MainForm(), menus.Menu_Tray()})
        for (const QAction* action : menu->actions()) {
            EXPECT_FALSE(action->icon().isNull()) << action->text().toStdString();
            if (!action->menu())
                continue;
            for (const QAction* sub : action->menu()->actions()) {
                EXPECT_FALSE(sub->icon().isNull()) << sub->text().toStdString();
            }
        }
}

TEST_F(MainMenusTest, RightClickOnAPictureOfTheWindowOpensTheMainMenu) {
    QWidget window;
    window.resize(800, 600);
    auto* picture = new QLabel(&window);
    picture->setGeometry(45, 152, 120, 120);
    auto* panel = new QWidget(&window);
    panel->setGeometry(225, 152, 120, 120);
    menus.attachTo(&window);
    window.show();

    for (QWidget* target : {static_cast<QWidget*>(picture), panel, &window}) {
        menus.Menu_MainForm()->hide();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10),
                                target->mapToGlobal(QPoint(10, 10)));
        QCoreApplication::sendEvent(target, &event);
        EXPECT_TRUE(menus.Menu_MainForm()->isVisible());
    }
    menus.Menu_MainForm()->hide();
}

TEST_F(MainMenusTest, EveryMenuEndsBelowItsLastItem) {
    const QMenu* language = menus.Menu_MainForm()->actions().at(0)->menu();
    ASSERT_NE(language, nullptr);
    for (const QMenu* menu : {static_cast<const QMenu*>(menus.Menu_MainForm()), language}) {
        SCOPED_TRACE(menu->objectName().toStdString());
        const int itemsEnd = menu->actionGeometry(menu->actions().last()).bottom();
        // The padding and the frame, nothing more: no empty band below the items.
        EXPECT_LE(menu->sizeHint().height() - itemsEnd, 6);
    }
}

TEST(CaptionedMenuTest, BandRunsFromDarkToLightBlue) {
    // Given as $007D3D02 and $00FFBE37: blue, green, red from the high byte down.
    EXPECT_EQ(CaptionedMenu::bandColour(0), QColor(0x02, 0x3D, 0x7D));
    EXPECT_EQ(CaptionedMenu::bandColour(CaptionedMenu::BandColours - 1), QColor(0x37, 0xBE, 0xFF));
    for (int n = 1; n < CaptionedMenu::BandColours; ++n)
        EXPECT_GE(CaptionedMenu::bandColour(n).blue(), CaptionedMenu::bandColour(n - 1).blue());
}

} // namespace
