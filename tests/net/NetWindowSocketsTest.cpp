// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetWindowFixture.h"
#include "widgetkit/ImageEntries.h"

#include <QPlainTextEdit>

#include <list>

namespace {

const QByteArray EmptyLoggedList = "BeginLogged\nEndLogged\n";

// The window with three stored clients, its socket open, and the first `count` clients logged
// in from their own addresses.
struct LoggedIn {
    NetWindow w{[](SettingsStore& store) {
        storeClients(store, 3);
    }};
    quint16 port = freePort();
    std::list<NetClient> clients;

    explicit LoggedIn(int count) {
        w.window->show();
        w.listenOn(port);
        for (int n = 1; n <= count; ++n) {
            NetClient& client = clients.emplace_back(port, n + 1);
            client.login(QStringLiteral("Client_%1").arg(n), QStringLiteral("pw%1").arg(n));
            EXPECT_TRUE(client.waitFor("LoggedAs\x01" + QByteArray::number(n).prepend("Client_")));
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.window->currentClients().size() == count; }));
    }
    NetClient& client(int n) { return *std::next(clients.begin(), n - 1); }
    QListWidget* current() { return w.list(QStringLiteral("UsersCheckListBox")); }
    void mark(const QString& name) {
        const auto found = current()->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        found.first()->setCheckState(Qt::Checked);
    }
    bool waitClosed(int n) {
        return QTest::qWaitFor([&] { return !client(n).connected(); }, 3000);
    }
};

TEST(TfmNetSockets, LoggedInClientsAreListedWithCheckMarks) {
    LoggedIn s(2);
    EXPECT_EQ(s.w.window->currentClients(), (QStringList{"Client_1", "Client_2"}));
    for (int row = 0; row < 2; ++row) {
        EXPECT_TRUE(s.current()->item(row)->flags() & Qt::ItemIsUserCheckable);
        EXPECT_EQ(s.current()->item(row)->checkState(), Qt::Unchecked);
    }
}

TEST(TfmNetSockets, CloseMarkedClosesOnlyTheMarkedClient) {
    LoggedIn s(2);
    s.mark(QStringLiteral("Client_1"));
    s.client(2).received.clear();
    s.w.click(QStringLiteral("Sb_CloseSelect"));
    EXPECT_TRUE(s.waitClosed(1));
    EXPECT_TRUE(s.client(2).waitFor(EmptyLoggedList)) << "the other client hears it is alone";
    QTest::qWait(100);
    EXPECT_TRUE(s.client(2).connected());
    EXPECT_EQ(s.w.window->currentClients(), QStringList{"Client_2"});
    EXPECT_TRUE(s.w.service->socketOpen());
}

TEST(TfmNetSockets, CloseMarkedWithNothingMarkedClosesNobody) {
    LoggedIn s(2);
    s.w.click(QStringLiteral("Sb_CloseSelect"));
    QTest::qWait(200);
    EXPECT_TRUE(s.client(1).connected());
    EXPECT_TRUE(s.client(2).connected());
    EXPECT_EQ(s.w.window->currentClients().size(), 2);
}

TEST(TfmNetSockets, CloseAllClosesEveryLoggedInClientAndLeavesTheSocketOpen) {
    LoggedIn s(2);
    // A connection that never logged in is not a client the window closes.
    NetClient anonymous(s.port, 9);
    anonymous.send("\n");
    ASSERT_TRUE(anonymous.waitFor("UserVariables")) << "the server knows the connection";
    s.w.click(QStringLiteral("Sb_CloseAll"));
    EXPECT_TRUE(s.waitClosed(1));
    EXPECT_TRUE(s.waitClosed(2));
    EXPECT_TRUE(anonymous.waitFor(EmptyLoggedList));
    EXPECT_TRUE(anonymous.connected());
    EXPECT_TRUE(s.w.window->currentClients().isEmpty());
    EXPECT_TRUE(s.w.service->socketOpen());
}

TEST(TfmNetSockets, StopClosesEveryConnectionAtOnceAndEmptiesTheList) {
    LoggedIn s(3);
    NetClient anonymous(s.port, 9);
    anonymous.send("\n");
    ASSERT_TRUE(anonymous.waitFor("UserVariables")) << "the server knows the connection";
    for (int n = 1; n <= 3; ++n)
        s.client(n).received.clear();
    s.w.click(QStringLiteral("Sb_Socket_Connect"));
    for (int n = 1; n <= 3; ++n)
        EXPECT_TRUE(s.waitClosed(n)) << n;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !anonymous.connected(); }, 3000));
    // Closed without the lists a disconnect sends.
    for (int n = 1; n <= 3; ++n)
        EXPECT_FALSE(s.client(n).received.contains("BeginLogged")) << n;
    EXPECT_TRUE(s.w.window->currentClients().isEmpty());
    EXPECT_EQ(s.current()->count(), 0);
    EXPECT_FALSE(s.w.service->socketOpen());
}

TEST(TfmNetSockets, DeletingALoggedInClientClosesItsConnection) {
    LoggedIn s(2);
    s.w.list(QStringLiteral("UsersListBox"))->setCurrentRow(0);
    s.w.click(QStringLiteral("Sb_UserMinus"));
    EXPECT_TRUE(s.waitClosed(1));
    EXPECT_EQ(s.w.service->clients().names(), (QStringList{"Client_2", "Client_3"}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return s.w.window->currentClients().size() == 1; }));
    EXPECT_EQ(s.w.window->currentClients(), QStringList{"Client_2"});
}

// A client's action line: three numbers and three texts.
const QByteArray FirstClientAction = "ClientAction\x01"
                                     "1\x01"
                                     "2\x01"
                                     "3\x01"
                                     "a\x01"
                                     "b\x01"
                                     "c\n";

TEST(TfmNetSockets, ClientActionsAreShownInTheLogAndReopeningEmptiesIt) {
    LoggedIn s(2);
    s.client(1).send(FirstClientAction);
    s.client(2).send("ClientAction\x01"
                     "4\x01"
                     "x\x01"
                     "6\x01"
                     "d\x01"
                     "e\x01"
                     "f\n");
    auto* memo = s.w.control<QPlainTextEdit>(QStringLiteral("ClientActionMemo"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return memo->blockCount() == 2; }, 3000));
    EXPECT_EQ(memo->toPlainText(),
              QString::fromUtf8("Client_1:От Client_1 получено: 1,2,3,\"a\",\"b\",\"c\".\n"
                                "Client_2:От Client_2 получено: 4,0,6,\"d\",\"e\",\"f\"."));
    EXPECT_TRUE(memo->isVisible());
    EXPECT_TRUE(s.w.window->rect().contains(memo->geometry())) << "the log is in sight";
    s.w.click(QStringLiteral("Sb_Socket_ReConnect"));
    EXPECT_TRUE(memo->toPlainText().isEmpty());
}

// The program makes the window at start-up and may never open it: the socket opens by itself,
// clients log in and act, and the first opening shows all of it as if the window had been there.
TEST(TfmNetSockets, WhatHappenedBeforeTheFirstOpeningIsShownThen) {
    const quint16 port = freePort();
    NetWindow w(
        [port](SettingsStore& store) {
            storeClients(store, 3);
            auto key = store.openKey(ServerSettingsStore::KeyPath, true);
            key->writeBool(QStringLiteral("AutoSocket"), true);
            key->writeInteger(QStringLiteral("ServerSocket"), port);
        },
        false);
    w.service->autoconnectIfWanted();
    ASSERT_EQ(w.service->listeningPort(), port);
    std::list<NetClient> clients;
    for (int n = 1; n <= 2; ++n) {
        NetClient& client = clients.emplace_back(port, n + 1);
        client.login(QStringLiteral("Client_%1").arg(n), QStringLiteral("pw%1").arg(n));
        ASSERT_TRUE(client.waitFor("LoggedAs\x01" + QByteArray::number(n).prepend("Client_")));
    }
    clients.front().send(FirstClientAction);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.service->clientActionLog().size() == 1; }, 3000));
    EXPECT_EQ(w.window->currentClients(), (QStringList{"Client_1", "Client_2"}));
    EXPECT_FALSE(w.window->controlsBuilt());

    w.window->show();
    EXPECT_EQ(w.window->currentClients(), (QStringList{"Client_1", "Client_2"}));
    QListWidget* current = w.list(QStringLiteral("UsersCheckListBox"));
    ASSERT_EQ(current->count(), 2);
    for (int row = 0; row < current->count(); ++row)
        EXPECT_EQ(current->item(row)->checkState(), Qt::Unchecked);
    EXPECT_EQ(w.control<QPlainTextEdit>(QStringLiteral("ClientActionMemo"))->toPlainText(),
              QString::fromUtf8("Client_1:От Client_1 получено: 1,2,3,\"a\",\"b\",\"c\"."));
    EXPECT_EQ(w.edit(QStringLiteral("Edit_ServerPort"))->text(), QString::number(port));
    EXPECT_TRUE(w.box(QStringLiteral("Cb_AutoSocket"))->isChecked());
    EXPECT_EQ(w.label(QStringLiteral("Lbl9"))->text(), QString::fromUtf8("Стоп"));
    EXPECT_EQ(w.label(QStringLiteral("Lbl9"))->pos(), QPoint(222, 48));
    EXPECT_EQ(w.entry(QStringLiteral("Sb_Socket_Connect")), NetBtnImage::SocketPressed);
    const QImage indicator = w.control(QStringLiteral("Indicator_Net"))->grab().toImage();
    EXPECT_EQ(indicator.pixelColor(indicator.rect().center()), QColor(0xFF, 0x00, 0x00));
    EXPECT_EQ(w.list(QStringLiteral("UsersListBox"))->count(), 3);

    // The list goes on following the server once it is shown.
    clients.back().socket.disconnectFromHost();
    EXPECT_TRUE(QTest::qWaitFor([&] { return current->count() == 1; }, 3000));
}

// Names and texts are the clients' own and may hold "%" followed by digits.
TEST(TfmNetSockets, PercentSignsInNamesAndTextsAreLoggedAsSent) {
    // The fields after "ClientAction", "|" standing for the separator.
    const struct {
        const char* name;
        const char* fields;
        const char* entry;
    } cases[] = {
        {"A%1", "7|8|9|s1|s2|s3", "От A%1 получено: 7,8,9,\"s1\",\"s2\",\"s3\"."},
        {"%3%2", "1|2|3|%1|%L7|100%", "От %3%2 получено: 1,2,3,\"%1\",\"%L7\",\"100%\"."},
        {"50%", "x|-4|$10|%%9||%5", "От 50% получено: 0,-4,16,\"%%9\",\"\",\"%5\"."},
    };
    NetWindow w([&](SettingsStore& store) {
        NetClients clients(&store, nullptr);
        clients.load();
        for (const auto& c : cases) {
            clients.add(QString::fromLatin1(c.name));
            clients.select(clients.count() - 1);
            clients.apply(QStringLiteral("pw"), {});
        }
    });
    w.window->show();
    const quint16 port = freePort();
    w.listenOn(port);
    std::list<NetClient> connections;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NetClient& client = connections.emplace_back(port, int(connections.size()) + 2);
        client.login(QString::fromLatin1(c.name), QStringLiteral("pw"));
        ASSERT_TRUE(client.waitFor(QByteArray("LoggedAs\x01") + c.name));
        client.send(QByteArray("ClientAction|").append(c.fields).replace('|', '\x01') + '\n');
        const QString line = QString::fromLatin1(c.name) + u':' + QString::fromUtf8(c.entry);
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.service->clientActionLog().contains(line); }))
            << w.service->clientActionLog().join(u'\n').toStdString();
    }
}

// A line's whole text stays in the log; the window shows its first thousand characters.
TEST(TfmNetSockets, TheLogShowsAtMostAThousandCharactersOfALine) {
    LoggedIn s(1);
    auto* memo = s.w.control<QPlainTextEdit>(QStringLiteral("ClientActionMemo"));
    const QString head = QString::fromUtf8("Client_1:От Client_1 получено: 0,0,0,\"");
    const QString tail = QStringLiteral("\",\"\",\"\".");
    const struct {
        const char* name;
        qsizetype lineLength;
        bool cut;
    } cases[] = {{"at the limit", 1000, false}, {"one over", 1001, true}, {"63 KB", 63000, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray text(c.lineLength - head.size() - tail.size(), 'x');
        const QString stored = head + QString::fromLatin1(text) + tail;
        s.client(1).send(QByteArray("ClientAction|0|0|0|").replace('|', '\x01') + text + '\n');
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return s.w.service->clientActionLog() == QStringList{stored}; }));
        EXPECT_EQ(memo->toPlainText(), c.cut ? stored.left(1000) + QString::fromUtf8("…") : stored);
    }
}

} // namespace
