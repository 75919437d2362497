// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetWindowFixture.h"
#include "support/LocalPorts.h"
#include "widgetkit/ImageEntries.h"

#include <QPlainTextEdit>

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

// What tells the user whether the socket is open.
void expectLook(NetWindow& w, bool open, const std::string& why) {
    EXPECT_EQ(w.service->socketOpen(), open) << why;
    EXPECT_EQ(w.window->indicatorColour(),
              open ? QColor(0xFF, 0x00, 0x00) : QColor(0x00, 0x80, 0xC0))
        << why;
    QLabel* caption = w.label(QStringLiteral("Lbl9"));
    EXPECT_EQ(caption->text(), open ? u8("Стоп") : u8("Старт")) << why;
    EXPECT_EQ(caption->pos(), QPoint(open ? 222 : 228, 48)) << why;
    EXPECT_EQ(w.label(QStringLiteral("Sb_Socket_Connect"))->toolTip(),
              open ? u8("Отключиться от выбранного порта") : u8("Подключиться к выбранному порту"))
        << why;
}

TEST(TfmNet, FirstRunShowsTheDefaultPortClosedAndWritesThePortAtOnce) {
    NetWindow w;
    w.window->show();
    EXPECT_EQ(w.edit(QStringLiteral("Edit_ServerPort"))->text(), QStringLiteral("25963"));
    expectLook(w, false, "first run");
    EXPECT_EQ(w.service->listeningPort(), 0);
    EXPECT_FALSE(w.box(QStringLiteral("Cb_AutoSocket"))->isChecked());
    EXPECT_TRUE(w.box(QStringLiteral("Cb_SocketJurnal"))->isChecked());
    EXPECT_FALSE(w.box(QStringLiteral("Cb_SocketError"))->isChecked());
    EXPECT_EQ(w.serverKey()->readInteger(QStringLiteral("ServerSocket")), 25963);
    EXPECT_EQ(w.window->size(), QSize(942, 470));
    EXPECT_EQ(w.control(QStringLiteral("Panel_Net"))->geometry(), QRect(15, 78, 770, 240));
    EXPECT_EQ(w.service->clients().names(), (QStringList{"Client_1", "Client_2", "Client_3"}));
    EXPECT_EQ(w.label(QStringLiteral("Lbl7"))->text(), u8("Клиент: \"Client_1\""));
    EXPECT_EQ(w.control(QStringLiteral("Panel4"))->toolTip(),
              u8("Индивидуальные настройки сетевого клиента \"Client_1\""));
    EXPECT_TRUE(w.errors().isEmpty());
}

TEST(TfmNet, ThePortFieldIsRedOutside1000To65535AndGreenInside) {
    NetWindow w;
    w.window->show();
    QLineEdit* port = w.edit(QStringLiteral("Edit_ServerPort"));
    const QColor red(0xFF, 0x00, 0x00);
    const QColor green(0x00, 0x80, 0x00);
    const struct {
        const char* text;
        QColor colour;
    } cases[] = {{"999", red}, {"1000", green}, {"65535", green}, {"65536", red},
                 {"abc", red}, {"$3E8", green}, {"", red},        {"25963", green}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        port->setText(QString::fromUtf8(c.text));
        EXPECT_EQ(w.window->portFieldColour(), c.colour);
        // What the user sees: the field's background right of the digits.
        const QImage shown = port->grab().toImage();
        EXPECT_EQ(shown.pixelColor(shown.width() - 4, shown.height() / 2), c.colour);
    }
    // Only coloured: the socket was not touched.
    expectLook(w, false, "after typing");
}

TEST(TfmNet, StartStopAndReconnectChangeTheLookAndTheSocket) {
    NetWindow w;
    w.window->show();
    const quint16 first = freePort();
    w.setPort(first);
    w.click(QStringLiteral("Sb_Socket_Connect"));
    expectLook(w, true, "after start");
    EXPECT_EQ(w.service->listeningPort(), first);
    EXPECT_EQ(w.entry(QStringLiteral("Sb_Socket_Connect")), NetBtnImage::SocketPressed);
    EXPECT_TRUE(accepts(first));

    w.click(QStringLiteral("Sb_Socket_Connect"));
    expectLook(w, false, "after stop");
    EXPECT_FALSE(accepts(first));

    const quint16 second = freePort();
    w.click(QStringLiteral("Sb_Socket_Connect"));
    w.setPort(second);
    w.click(QStringLiteral("Sb_Socket_ReConnect"));
    expectLook(w, true, "after reconnect on another port");
    EXPECT_EQ(w.service->listeningPort(), second);
    EXPECT_FALSE(accepts(first));
    EXPECT_TRUE(accepts(second));
    EXPECT_TRUE(w.errors().isEmpty());
}

TEST(TfmNet, APortInUseOrNotAPortKeepsTheClosedLook) {
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::AnyIPv4, 0));
    const struct {
        const char* name;
        QString port;
        QStringList errors;
    } cases[] = {
        {"in use by another program", QString::number(other.serverPort()), {}},
        {"beyond the last port", QStringLiteral("70000"), {}},
        {"not an integer", QStringLiteral("12ab"), {"'12ab' is not a valid integer value"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NetWindow w;
        w.window->show();
        // Open first, so that a failure must also close what was open.
        w.listenOn(freePort());
        expectLook(w, true, "before");
        w.edit(QStringLiteral("Edit_ServerPort"))->setText(c.port);
        w.click(QStringLiteral("Sb_Socket_ReConnect"));
        expectLook(w, false, c.name);
        EXPECT_EQ(w.service->listeningPort(), 0);
        EXPECT_EQ(w.errors(), c.errors);
    }
}

TEST(TfmNet, ShowingPutsTheSocketsPortBackIntoTheField) {
    NetWindow w;
    w.window->show();
    w.edit(QStringLiteral("Edit_ServerPort"))->setText(QStringLiteral("4100"));
    w.window->hide();
    w.window->show();
    EXPECT_EQ(w.edit(QStringLiteral("Edit_ServerPort"))->text(), QStringLiteral("25963"));
}

TEST(TfmNet, SettingsAreSavedAtTheEndWithANonIntegerPortAs25963) {
    const struct {
        const char* text;
        qint32 saved;
    } cases[] = {{"4100", 4100}, {"not a port", 25963}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        NetWindow w;
        w.box(QStringLiteral("Cb_AutoSocket"))->setChecked(true);
        w.box(QStringLiteral("Cb_SocketJurnal"))->setChecked(false);
        w.box(QStringLiteral("Cb_SocketError"))->setChecked(true);
        w.edit(QStringLiteral("Edit_ServerPort"))->setText(QString::fromUtf8(c.text));
        w.restart();
        EXPECT_TRUE(w.box(QStringLiteral("Cb_AutoSocket"))->isChecked());
        EXPECT_FALSE(w.box(QStringLiteral("Cb_SocketJurnal"))->isChecked());
        EXPECT_TRUE(w.box(QStringLiteral("Cb_SocketError"))->isChecked());
        EXPECT_EQ(w.edit(QStringLiteral("Edit_ServerPort"))->text(), QString::number(c.saved));
        // The socket stays closed at start, whatever the options hold.
        expectLook(w, false, "second run");
    }
}

TEST(TfmNet, TheNewClientPanelAddsOnYesAndNothingOnNo) {
    // Client_3 is selected before each case: an add selects the first client, anything else
    // leaves the selection where it was.
    const struct {
        const char* name;
        const char* typed;
        const char* button;
        QStringList clients;
        bool panelStays;
        QStringList errors;
        int selected;
    } cases[] = {
        {"yes adds",
         "Client_4",
         "Sb_Ok",
         {"Client_1", "Client_2", "Client_3", "Client_4"},
         false,
         {},
         0},
        {"a Cyrillic name fits the code page",
         "Клиент",
         "Sb_Ok",
         {"Client_1", "Client_2", "Client_3", "Клиент"},
         false,
         {},
         0},
        {"no adds nothing",
         "Client_4",
         "Sb_Cancel",
         {"Client_1", "Client_2", "Client_3"},
         false,
         {},
         2},
        {"an empty name adds nothing",
         "",
         "Sb_Ok",
         {"Client_1", "Client_2", "Client_3"},
         false,
         {},
         2},
        {"a name already there, in other letters",
         "client_2",
         "Sb_Ok",
         {"Client_1", "Client_2", "Client_3"},
         false,
         {},
         2},
        {"a name the code page cannot hold is refused",
         "客户",
         "Sb_Ok",
         {"Client_1", "Client_2", "Client_3"},
         true,
         {NetClients::NotEncodableMessage},
         2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NetWindow w;
        w.window->show();
        w.list(QStringLiteral("UsersListBox"))->setCurrentRow(2);
        w.click(QStringLiteral("Sb_UserPlus"));
        QWidget* panel = w.control(QStringLiteral("Panel7"));
        EXPECT_TRUE(panel->isVisible());
        EXPECT_EQ(panel->geometry(), QRect(19, 184, 420, 106));
        EXPECT_FALSE(w.control(QStringLiteral("UsersListBox"))->isVisible());
        EXPECT_FALSE(w.control(QStringLiteral("Panel_1"))->isVisible());
        EXPECT_FALSE(w.control(QStringLiteral("Panel4"))->isVisible());

        w.edit(QStringLiteral("Edit_New"))->setText(u8(c.typed));
        w.click(QString::fromLatin1(c.button));
        EXPECT_EQ(panel->isVisible(), c.panelStays);
        EXPECT_EQ(w.control(QStringLiteral("UsersListBox"))->isVisible(), !c.panelStays);
        EXPECT_EQ(w.control(QStringLiteral("Panel4"))->isVisible(), !c.panelStays);
        EXPECT_EQ(w.edit(QStringLiteral("Edit_New"))->text().isEmpty(), !c.panelStays);
        EXPECT_EQ(w.service->clients().names(), c.clients);
        EXPECT_EQ(w.storedClients().names(), c.clients);
        EXPECT_EQ(w.errors(), c.errors);
        EXPECT_EQ(w.list(QStringLiteral("UsersListBox"))->currentRow(), c.selected);
        EXPECT_EQ(w.label(QStringLiteral("Lbl7"))->text(),
                  u8("Клиент: \"%1\"").arg(c.clients.at(c.selected)));
    }
}

TEST(TfmNet, ClosingTheWindowDoesWhatNoDoes) {
    NetWindow w;
    w.window->show();
    w.click(QStringLiteral("Sb_UserPlus"));
    w.edit(QStringLiteral("Edit_New"))->setText(QStringLiteral("Client_4"));
    w.window->close();
    w.window->show();
    EXPECT_FALSE(w.control(QStringLiteral("Panel7"))->isVisible());
    EXPECT_TRUE(w.control(QStringLiteral("UsersListBox"))->isVisible());
    EXPECT_TRUE(w.edit(QStringLiteral("Edit_New"))->text().isEmpty());
    EXPECT_EQ(w.service->clients().names().size(), 3);
}

TEST(TfmNet, DeleteRemovesTheSelectedClientAndTheLastLeavesAnEmptyCaption) {
    NetWindow w;
    w.window->show();
    QListWidget* registered = w.list(QStringLiteral("UsersListBox"));
    registered->setCurrentRow(1);
    EXPECT_EQ(w.label(QStringLiteral("Lbl7"))->text(), u8("Клиент: \"Client_2\""));
    EXPECT_EQ(w.control(QStringLiteral("Panel4"))->toolTip(),
              u8("Индивидуальные настройки сетевого клиента: \"Client_2\""));
    w.click(QStringLiteral("Sb_UserMinus"));
    EXPECT_EQ(w.service->clients().names(), (QStringList{"Client_1", "Client_3"}));
    EXPECT_EQ(w.storedClients().names(), (QStringList{"Client_1", "Client_3"}));
    EXPECT_EQ(registered->currentRow(), 0);
    EXPECT_EQ(w.label(QStringLiteral("Lbl7"))->text(), u8("Клиент: \"Client_1\""));

    w.click(QStringLiteral("Sb_UserMinus"));
    w.click(QStringLiteral("Sb_UserMinus"));
    EXPECT_TRUE(w.service->clients().names().isEmpty());
    EXPECT_EQ(w.storedClients().count(), 0);
    EXPECT_TRUE(w.label(QStringLiteral("Lbl7"))->text().isEmpty());
    // Nothing left to delete: the button stays harmless.
    w.click(QStringLiteral("Sb_UserMinus"));
    EXPECT_TRUE(w.errors().isEmpty());
}

TEST(TfmNet, TheDetailsPanelAppliesWhenThePointerLeavesIt) {
    NetWindow w([](SettingsStore& store) { storeClients(store, 3); });
    w.window->show();
    w.list(QStringLiteral("UsersListBox"))->setCurrentRow(1);
    w.pointAt(QStringLiteral("Panel4"), {100, 50});
    w.edit(QStringLiteral("UserPasswLabeledEdit"))->setText(QStringLiteral("secret"));
    w.box(QStringLiteral("Command2CheckBox"))->setChecked(true);
    w.box(QStringLiteral("Command4CheckBox"))->setChecked(true);
    w.pointAt(QStringLiteral("Panel4"), {200, 80});
    EXPECT_EQ(w.storedClients().at(1).password(), QByteArray("pw2")) << "applied while inside";

    w.pointAway();
    const NetClients stored = w.storedClients();
    EXPECT_EQ(stored.at(1).password(), QByteArray("secret"));
    const bool rights[] = {stored.at(1).right(1), stored.at(1).right(2), stored.at(1).right(3),
                           stored.at(1).right(4)};
    EXPECT_EQ(std::vector<bool>(std::begin(rights), std::end(rights)),
              (std::vector<bool>{false, true, false, true}));
    for (const int other : {0, 2}) {
        EXPECT_EQ(stored.at(other).password(), QStringLiteral("pw%1").arg(other + 1).toLatin1());
        EXPECT_FALSE(stored.at(other).right(2));
    }

    // A password the code page cannot hold is refused once and the stored one shown again.
    w.pointAt(QStringLiteral("Panel4"), {100, 50});
    w.edit(QStringLiteral("UserPasswLabeledEdit"))->setText(u8("密码"));
    w.pointAway();
    w.pointAway();
    EXPECT_EQ(w.errors(), QStringList{NetClients::NotEncodableMessage});
    EXPECT_EQ(w.edit(QStringLiteral("UserPasswLabeledEdit"))->text(), QStringLiteral("secret"));
    EXPECT_EQ(w.storedClients().at(1).password(), QByteArray("secret"));
}

TEST(TfmNet, PagingTheRegisteredListWithTwelveClients) {
    NetWindow w([](SettingsStore& store) { storeClients(store, 12); });
    w.window->show();
    QListWidget* registered = w.list(QStringLiteral("UsersListBox"));
    w.click(QStringLiteral("SbScroll_2_Down"));
    EXPECT_EQ(w.window->topEntry(2), 5);
    EXPECT_EQ(registered->currentRow(), 5);
    EXPECT_EQ(w.label(QStringLiteral("Lbl7"))->text(), u8("Клиент: \"Client_6\""));
    w.click(QStringLiteral("SbScroll_2_Down"));
    EXPECT_EQ(registered->currentRow(), 11);
    EXPECT_EQ(w.label(QStringLiteral("Lbl7"))->text(), u8("Клиент: \"Client_12\""));
    const QRect lastRow = registered->visualItemRect(registered->item(11));
    EXPECT_TRUE(registered->viewport()->rect().contains(lastRow));
    w.click(QStringLiteral("SbScroll_2_Down"));
    EXPECT_EQ(registered->currentRow(), 11);
    // A double click steps twice: back to the first page.
    w.click(QStringLiteral("SbScroll_2_Up"), true);
    EXPECT_EQ(w.window->topEntry(2), 0);
    EXPECT_EQ(registered->currentRow(), 0);
    EXPECT_EQ(w.label(QStringLiteral("Lbl7"))->text(), u8("Клиент: \"Client_1\""));
}

TEST(TfmNet, WithFiveClientsThePageButtonsAreDimmedAndChangeNothing) {
    NetWindow w([](SettingsStore& store) { storeClients(store, 5); });
    w.window->show();
    QListWidget* registered = w.list(QStringLiteral("UsersListBox"));
    registered->setCurrentRow(2);
    for (const char* button : {"SbScroll_2_Down", "SbScroll_2_Up"}) {
        w.pointAt(QString::fromLatin1(button), {7, 16});
        EXPECT_EQ(w.entry(QStringLiteral("SbScroll_2_Up")), NetBtnImage::PageUpNoMore);
        EXPECT_EQ(w.entry(QStringLiteral("SbScroll_2_Down")), NetBtnImage::PageDownNoMore);
        w.click(QString::fromLatin1(button));
        EXPECT_EQ(registered->currentRow(), 2);
    }
}

TEST(TfmNet, ButtonsLightUnderThePointer) {
    NetWindow w([](SettingsStore& store) { storeClients(store, 6); });
    w.window->show();
    using namespace NetBtnImage;
    const struct {
        const char* control;
        int rest;
        int lit;
    } cases[] = {
        {"Sb_Close", Close, CloseHover},
        {"Sb_UserMinus", DeleteClient, DeleteClientHover},
        {"Sb_UserPlus", AddClient, AddClientHover},
        {"Sb_SendSelect", SendMarked, SendMarkedHover},
        {"Sb_SendAll", SendAll, SendAllHover},
        {"Sb_CloseSelect", CloseMarked, CloseMarkedHover},
        {"Sb_CloseAll", CloseAll, CloseAllHover},
        {"Sb_Socket_Connect", SocketStart, SocketHover},
        {"Sb_Socket_ReConnect", Reconnect, ReconnectHover},
        {"SbScroll_2_Up", PageUp, PageUpHover},
        {"SbScroll_2_Down", PageDown, PageDownHover},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        const QString name = QString::fromLatin1(c.control);
        w.pointAt(name, {0, 5}); // the first column does not count
        EXPECT_EQ(w.entry(name), c.rest);
        w.pointAt(name, {1, 5});
        EXPECT_EQ(w.entry(name), c.lit);
        w.pointAway();
        EXPECT_EQ(w.entry(name), c.rest);
    }
    // Six entries fill the current-clients list's page: with none its buttons stay dimmed.
    w.pointAt(QStringLiteral("SbScroll_1_Up"), {7, 16});
    EXPECT_EQ(w.entry(QStringLiteral("SbScroll_1_Up")), PageUpNoMore);
}

TEST(TfmNet, TheSocketButtonsShowTheirPressAndTheOpenSocketKeepsItsImage) {
    NetWindow w;
    w.window->show();
    using namespace NetBtnImage;
    QLabel* connectButton = w.label(QStringLiteral("Sb_Socket_Connect"));
    QLabel* reconnectButton = w.label(QStringLiteral("Sb_Socket_ReConnect"));
    w.setPort(freePort());
    w.pointAt(QStringLiteral("Sb_Socket_Connect"), {20, 20});
    QTest::mousePress(connectButton, Qt::LeftButton, {}, QPoint(20, 20));
    w.tick();
    EXPECT_EQ(w.entry(QStringLiteral("Sb_Socket_Connect")), SocketPressed);
    QTest::mouseRelease(connectButton, Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_TRUE(w.service->socketOpen());
    w.pointAway();
    EXPECT_EQ(w.entry(QStringLiteral("Sb_Socket_Connect")), SocketPressed)
        << "an open socket's button keeps what it showed";
    w.click(QStringLiteral("Sb_Socket_Connect"));
    ASSERT_FALSE(w.service->socketOpen());
    w.pointAway();
    EXPECT_EQ(w.entry(QStringLiteral("Sb_Socket_Connect")), SocketStart);

    w.setPort(freePort());
    w.pointAt(QStringLiteral("Sb_Socket_ReConnect"), {20, 20});
    QTest::mousePress(reconnectButton, Qt::LeftButton, {}, QPoint(20, 20));
    w.tick();
    EXPECT_EQ(w.entry(QStringLiteral("Sb_Socket_ReConnect")), ReconnectPressed);
    QTest::mouseRelease(reconnectButton, Qt::LeftButton, {}, QPoint(20, 20));
    w.tick();
    EXPECT_EQ(w.entry(QStringLiteral("Sb_Socket_ReConnect")), ReconnectHover);
    EXPECT_TRUE(w.service->socketOpen());
}

TEST(TfmNet, BuildsNoControlsUntilItIsFirstOpened) {
    NetWindow w(
        [](SettingsStore& store) {
            storeClients(store, 3);
            auto key = store.openKey(ServerSettingsStore::KeyPath, true);
            key->writeBool(QStringLiteral("AutoSocket"), true);
            key->writeInteger(QStringLiteral("ServerSocket"), freePort());
        },
        false);
    w.service->autoconnectIfWanted();
    EXPECT_TRUE(w.service->socketOpen());
    w.window->Sb_CloseAllClick();
    w.window->Sb_CloseSelectClick();
    w.window->DelUserActionExecute();
    w.window->Sb_CancelClick();
    w.tick();
    EXPECT_FALSE(w.window->controlsBuilt());
    QStringList labels;
    for (const QLabel* label : w.window->findChildren<QLabel*>())
        labels << label->objectName();
    EXPECT_EQ(labels, QStringList{QStringLiteral("Sb_Close")}) << "only the frame's own";
    EXPECT_TRUE(w.window->findChildren<QListWidget*>().isEmpty());
    EXPECT_EQ(w.window->topEntry(2), -1);
    EXPECT_EQ(w.service->clients().names(), (QStringList{"Client_1", "Client_2", "Client_3"}))
        << "delete has nothing selected before the first opening";
}

// Whatever the window never showed is saved as it was loaded, or as the socket changed it.
TEST(TfmNet, SettingsAreSavedWhenTheWindowWasNeverOpened) {
    const quint16 port = freePort();
    const struct {
        const char* how;
        bool reconnect;
    } cases[] = {{"untouched", false}, {"reconnected", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        NetWindow w(
            [port](SettingsStore& store) {
                storeClients(store, 2);
                auto key = store.openKey(ServerSettingsStore::KeyPath, true);
                key->writeBool(QStringLiteral("AutoSocket"), true);
                key->writeBool(QStringLiteral("SocketJurnal"), false);
                key->writeBool(QStringLiteral("SocketError"), true);
                key->writeInteger(QStringLiteral("ServerSocket"), port);
            },
            false);
        if (c.reconnect) {
            w.window->Sb_Socket_ReConnectClick();
            EXPECT_EQ(w.service->listeningPort(), port);
        }
        w.restart();
        EXPECT_FALSE(w.window->controlsBuilt());
        const auto key = w.serverKey();
        EXPECT_TRUE(key->readBool(QStringLiteral("AutoSocket")));
        EXPECT_FALSE(key->readBool(QStringLiteral("SocketJurnal")));
        EXPECT_TRUE(key->readBool(QStringLiteral("SocketError")));
        EXPECT_EQ(key->readInteger(QStringLiteral("ServerSocket")), port);
        EXPECT_EQ(w.storedClients().names(), (QStringList{"Client_1", "Client_2"}));
        EXPECT_TRUE(w.errors().isEmpty());
    }
}

} // namespace
