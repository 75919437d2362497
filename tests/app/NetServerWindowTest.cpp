// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramRun.h"
#include "mainwindow/TfmMain.h"
#include "net/NetServerService.h"
#include "net/ServerSettings.h"
#include "net/TfmNet.h"
#include "support/LocalPorts.h"
#include "support/TempStore.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

namespace {

QAction* netMenuEntry() {
    for (QWidget* widget : QApplication::allWidgets()) {
        if (QAction* entry = widget->findChild<QAction*>(QStringLiteral("MenuItem_Net")))
            return entry;
    }
    return nullptr;
}

// Settings as an earlier run left them; a missing option stays missing.
void storeServer(SettingsStore& store, std::optional<bool> autoSocket, quint16 port) {
    auto key = store.openKey(ServerSettingsStore::KeyPath, true);
    if (autoSocket)
        key->writeBool(QStringLiteral("AutoSocket"), *autoSocket);
    key->writeInteger(QStringLiteral("ServerSocket"), port);
    key->close();
}

TEST(NetServerWindow, TheMenuEntryOpensTheWindowOnlyWhileTheAttractionIsStopped) {
    TempStore temp;
    ProgramRun program(temp.store());
    bool openedAfterStop = false;
    ASSERT_TRUE(program.run([&](Program& p) {
        TfmNet* net = p.windows().fmNet;
        QAction* entry = netMenuEntry();
        ASSERT_NE(entry, nullptr);
        program.state.AttractionRunning = true;
        entry->trigger();
        EXPECT_FALSE(net->isVisible());
        program.state.AttractionRunning = false;
        QTimer::singleShot(50, [&] {
            openedAfterStop = net->isVisible() && net->isModal() && program.state.DialogOpen;
            net->close();
        });
        entry->trigger();
        EXPECT_FALSE(net->isVisible());
        EXPECT_FALSE(program.state.DialogOpen);
    }));
    EXPECT_TRUE(openedAfterStop);
    EXPECT_TRUE(program.messages.errors.isEmpty());
}

TEST(NetServerWindow, AutoconnectOpensTheSocketAtTheFirstShowOnlyWhenTicked) {
    const struct {
        const char* name;
        std::optional<bool> autoSocket;
        bool opens;
    } cases[] = {
        {"ticked", true, true},
        {"not ticked", false, false},
        {"never stored: off", std::nullopt, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempStore temp;
        const quint16 port = freePort();
        storeServer(temp.store(), c.autoSocket, port);
        ProgramRun program(temp.reopen());
        ASSERT_TRUE(program.run([&](Program& p) {
            EXPECT_EQ(p.windows().netServer().socketOpen(), c.opens);
            EXPECT_EQ(accepts(port), c.opens);
        }));
        EXPECT_FALSE(accepts(port)) << "the end of the program closes the socket";
        EXPECT_TRUE(program.messages.errors.isEmpty());
    }
}

TEST(NetServerWindow, AStoredPortSurvivesARunThatNeverOpenedTheWindow) {
    TempStore temp;
    storeServer(temp.store(), std::nullopt, 4100);
    ProgramRun program(temp.reopen());
    ASSERT_TRUE(program.run());
    const auto key = temp.reopen().openKey(ServerSettingsStore::KeyPath, false);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->readInteger(QStringLiteral("ServerSocket")), 4100);
    EXPECT_FALSE(key->readBool(QStringLiteral("AutoSocket")));
}

} // namespace
