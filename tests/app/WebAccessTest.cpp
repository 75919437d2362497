// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramRun.h"
#include "mainwindow/TfmMain.h"
#include "support/LocalPorts.h"
#include "support/TempStore.h"
#include "web/TfmWebServer.h"
#include "web/WebAccessSettings.h"
#include "widgetkit/IndicatorLamp.h"

#include <QLabel>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const IndicatorLamp* webLamp(Program& p) {
    return p.windows().fmMain->findChild<IndicatorLamp*>(QStringLiteral("Indicator_Web"));
}

void storeAutorun(SettingsStore& store, bool ticked, const QString& port) {
    auto key = store.openKey(WebAccessStore::KeyPath, true);
    key->writeBool(QStringLiteral("Web_Autoconnect"), ticked);
    key->writeString(QStringLiteral("Port"), port);
    key->close();
}

TEST(WebAccess, TheCommandOpensTheWindowOnlyWhileTheAttractionIsStopped) {
    TempStore temp;
    ProgramRun program(temp.store());
    bool openedAfterStop = false;
    bool hiddenBySecondCommand = false;
    ASSERT_TRUE(program.run([&](Program& p) {
        TfmMain* main = p.windows().fmMain;
        TfmWebServer* web = p.windows().fmWebServer;
        auto* command = main->findChild<QLabel*>(QStringLiteral("Lbl_WebServer"));
        program.state.AttractionRunning = true;
        QTest::mouseClick(command, Qt::LeftButton);
        EXPECT_FALSE(web->isVisible());
        program.state.AttractionRunning = false;
        QTimer::singleShot(50, [&] {
            openedAfterStop = web->isVisible() && program.state.DialogOpen &&
                              web->pos() == main->pos() + QPoint(6, 55);
            // The same command while the window is up hides it.
            main->OpenDialog(MainWindowCommands::Dialog::WebServer);
            hiddenBySecondCommand = !web->isVisible();
        });
        main->OpenDialog(MainWindowCommands::Dialog::WebServer);
        EXPECT_FALSE(web->isVisible());
        EXPECT_FALSE(program.state.DialogOpen);
    }));
    EXPECT_TRUE(openedAfterStop);
    EXPECT_TRUE(hiddenBySecondCommand);
}

TEST(WebAccess, AutorunStartsTheServerAtTheFirstShowAndTheEndStopsIt) {
    TempStore temp;
    const quint16 port = freePort();
    storeAutorun(temp.store(), true, QString::number(port));
    ProgramRun program(temp.reopen());
    ASSERT_TRUE(program.run([&](Program& p) {
        EXPECT_TRUE(program.state.WebServerRunning);
        EXPECT_EQ(webLamp(p)->fill(), QColor(0xFF, 0x00, 0x00));
        EXPECT_EQ(webLamp(p)->toolTip(), QStringLiteral("Web Server is running"));
        EXPECT_TRUE(accepts(port));
    }));
    EXPECT_TRUE(program.messages.errors.isEmpty());
    EXPECT_FALSE(program.state.WebServerRunning);
    EXPECT_FALSE(accepts(port)) << "the end of the program stops the server";
}

TEST(WebAccess, TheStartUpBuildsNoWebControlsAndTheFirstOpeningShowsTheAutorunServer) {
    TempStore temp;
    const quint16 port = freePort();
    storeAutorun(temp.store(), true, QString::number(port));
    ProgramRun program(temp.reopen());
    bool builtAtStart = true;
    QString captionWhenOpened;
    bool portEditableWhenOpened = true;
    ASSERT_TRUE(program.run([&](Program& p) {
        TfmWebServer* web = p.windows().fmWebServer;
        builtAtStart = web->controlsBuilt();
        QTimer::singleShot(50, [&, web] {
            if (auto* caption = web->findChild<QLabel*>(QStringLiteral("Lbl_Web_Connect")))
                captionWhenOpened = caption->text();
            if (auto* edit = web->findChild<QLineEdit*>(QStringLiteral("Edit_Port")))
                portEditableWhenOpened = edit->isEnabled();
            web->close();
        });
        p.windows().fmMain->OpenDialog(MainWindowCommands::Dialog::WebServer);
        EXPECT_TRUE(program.state.WebServerRunning) << "closing the window leaves it running";
    }));
    EXPECT_FALSE(builtAtStart) << "the show sequence touched the window's controls";
    EXPECT_EQ(captionWhenOpened, QStringLiteral("Stop"));
    EXPECT_FALSE(portEditableWhenOpened);
}

TEST(WebAccess, AnAutorunThatCannotStartLeavesTheStoppedLookAndNoMessage) {
    const auto unusable = [](quint16 busy) {
        return std::vector<QString>{QStringLiteral("port"), QStringLiteral("0"),
                                    QString::number(busy)};
    };
    QTcpServer holder;
    ASSERT_TRUE(holder.listen(QHostAddress::AnyIPv4, 0));
    for (const QString& port : unusable(holder.serverPort())) {
        TempStore temp;
        storeAutorun(temp.store(), true, port);
        ProgramRun program(temp.reopen());
        ASSERT_TRUE(program.run([&](Program& p) {
            EXPECT_FALSE(program.state.WebServerRunning) << port.toStdString();
            EXPECT_EQ(webLamp(p)->fill(), QColor(0x00, 0x80, 0xC0)) << port.toStdString();
            EXPECT_EQ(webLamp(p)->toolTip(), QStringLiteral("Web Server is stopped"));
        }));
        EXPECT_TRUE(program.messages.errors.isEmpty()) << port.toStdString();
    }
}

TEST(WebAccess, WithoutAutorunTheServerStaysStopped) {
    TempStore temp;
    const quint16 port = freePort();
    storeAutorun(temp.store(), false, QString::number(port));
    ProgramRun program(temp.reopen());
    ASSERT_TRUE(program.run([&](Program&) {
        EXPECT_FALSE(program.state.WebServerRunning);
        EXPECT_FALSE(accepts(port));
    }));
}

} // namespace
