// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "mainwindow/QuickPanel.h"
#include "mainwindow/TrayIcon.h"

#include <QDialog>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QWidget* panel(MainWindowFixture& f, int ghost) {
    return f.widget(QStringLiteral("Panel_Ghost_%1").arg(ghost));
}

TEST(TrackPointer, AQuickPanelOpensOnlyStrictlyInsideItsGhost) {
    MainWindowFixture f;
    ASSERT_EQ(f.main.pos(), QPoint(240, 10));
    const int lefts[] = {45, 225, 420, 615};
    for (int ghost = 1; ghost <= 4; ++ghost) {
        const int left = lefts[ghost - 1];
        f.pointAt(left, 200); // the picture's first column
        EXPECT_FALSE(panel(f, ghost)->isVisible()) << ghost;
        f.pointAt(left + 1, 200);
        EXPECT_TRUE(panel(f, ghost)->isVisible()) << ghost;
        for (int other = 1; other <= 4; ++other) {
            if (other != ghost) {
                EXPECT_FALSE(panel(f, other)->isVisible()) << ghost << " " << other;
            }
        }
        f.pointAt(left + 119, 271); // last pixel inside
        EXPECT_TRUE(panel(f, ghost)->isVisible());
        f.pointAt(left + 120, 200);
        EXPECT_FALSE(panel(f, ghost)->isVisible());
    }
}

TEST(TrackPointer, AnOpenPanelStaysWhileThePointerMovesOverIt) {
    MainWindowFixture f;
    f.pointAt(60, 170);
    ASSERT_TRUE(panel(f, 1)->isVisible());
    f.pointAt(150, 265); // on the panel's own labels now
    EXPECT_TRUE(panel(f, 1)->isVisible());
    f.main.hide();
    f.main.TrackPointer();
    EXPECT_FALSE(panel(f, 1)->isVisible()) << "nothing is hovered in a hidden window";
}

TEST(TrackPointer, TheCornerButtonsHideWhileADialogIsOpen) {
    MainWindowFixture f;
    QWidget* close = f.widget(QStringLiteral("Sb_Close"));
    f.state.DialogOpen.opened();
    f.pointAt(10, 10);
    EXPECT_FALSE(close->isVisible());
    f.state.DialogOpen.closed();
    f.pointAt(10, 10);
    EXPECT_TRUE(close->isVisible());
    EXPECT_FALSE(f.main.closeButtonHover());
    f.pointAt(711, 14);
    EXPECT_TRUE(f.main.closeButtonHover());
    f.pointAt(710, 14);
    EXPECT_FALSE(f.main.closeButtonHover());
}

TEST(TrackPointer, TheStartButtonShowsItsPictureByLanguagePointerAndPress) {
    for (int language : {0, 1}) {
        MainWindowFixture f;
        f.state.InterfaceLanguage = static_cast<Language>(language);
        const int base = language == 0 ? 15 : 33;
        QLabel* start = f.label(QStringLiteral("Sb_Attraction_Show"));
        f.pointAt(100, 100);
        EXPECT_EQ(f.main.startButtonEntry(), base);
        f.pointAt(400, 340);
        EXPECT_EQ(f.main.startButtonEntry(), base + 1);
        QTest::mousePress(start, Qt::LeftButton, {}, QPoint(80, 25));
        f.pointAt(400, 340);
        EXPECT_EQ(f.main.startButtonEntry(), base + 2);
        f.pointAt(100, 100); // dragged off while held
        EXPECT_EQ(f.main.startButtonEntry(), base);
        f.pointAt(400, 340);
        EXPECT_EQ(f.main.startButtonEntry(), base + 2);
        QTest::mouseRelease(start, Qt::LeftButton, {}, QPoint(80, 25));
        f.pointAt(400, 340);
        EXPECT_TRUE(f.state.AttractionRunning) << "the release completed a click";
        const int stopBase = language == 0 ? 62 : 65;
        EXPECT_EQ(f.main.startButtonEntry(), stopBase + 1);
        EXPECT_EQ(f.main.startButtonBuffer().pixel(80, 25),
                  f.main.imageLists().BitmapList_Yellow.image(stopBase + 1).pixel(80, 25));
    }
}

TEST(TrackPointer, WhileTheAttractionRunsTheStartButtonShowsStopAndTheTraySaysSo) {
    const struct {
        int language;
        int start;
        int stop;
        const char* running;
        const char* stopped;
    } cases[] = {
        {0, 15, 62, "Gloamery: Attraction is running", "Gloamery: Attraction is stopped"},
        {1, 33, 65, "Gloamery: Аттракцион запущен", "Gloamery: Аттракцион остановлен"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        MainWindowFixture f;
        f.state.InterfaceLanguage = static_cast<Language>(c.language);
        f.help.ApplyLanguage();
        QLabel* start = f.label(QStringLiteral("Sb_Attraction_Show"));
        f.pointAt(100, 100);
        EXPECT_EQ(f.main.startButtonEntry(), c.start);
        EXPECT_EQ(f.main.trayIcon().toolTip(), QString::fromUtf8(c.stopped));

        QTest::mousePress(start, Qt::LeftButton, {}, QPoint(80, 25));
        QTest::mouseRelease(start, Qt::LeftButton, {}, QPoint(80, 25));
        ASSERT_TRUE(f.state.AttractionRunning);
        EXPECT_EQ(f.main.startButtonEntry(), c.stop) << "at once, before the next tick";
        EXPECT_EQ(f.main.trayIcon().toolTip(), QString::fromUtf8(c.running));
        f.pointAt(400, 340);
        EXPECT_EQ(f.main.startButtonEntry(), c.stop + 1);
        QTest::mousePress(start, Qt::LeftButton, {}, QPoint(80, 25));
        f.pointAt(400, 340);
        EXPECT_EQ(f.main.startButtonEntry(), c.stop + 2);
        f.pointAt(100, 100);
        EXPECT_EQ(f.main.startButtonEntry(), c.stop);
        EXPECT_EQ(f.main.startButtonBuffer().pixel(80, 25),
                  f.main.imageLists().BitmapList_Yellow.image(c.stop).pixel(80, 25));

        f.pointAt(400, 340);
        QTest::mouseRelease(start, Qt::LeftButton, {}, QPoint(80, 25));
        ASSERT_FALSE(f.state.AttractionRunning);
        EXPECT_EQ(f.main.startButtonEntry(), c.start + 1);
        EXPECT_EQ(f.main.trayIcon().toolTip(), QString::fromUtf8(c.stopped));
    }
}

TEST(TrackPointer, TheLampAndTheTrayTellTheEveningPlan) {
    const QDateTime friday(QDate(2026, 12, 11), QTime(18, 40));
    const QDateTime seven(QDate(2026, 12, 9), QTime(19, 0));
    const struct {
        int language;
        EveningPlanHint plan;
        const char* tray;
    } cases[] = {
        {0,
         {{}, friday, seven},
         "Gloamery: Attraction is stopped\nnext plan: Fri 18:40; quiet until 19:00"},
        {1, {seven, friday, {}}, "Gloamery: Аттракцион остановлен\nпо плану до 19:00"},
        {1, {{}, friday, {}}, "Gloamery: Аттракцион остановлен\nследующий план: пт 18:40"},
        {0, {}, "Gloamery: Attraction is stopped"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tray);
        MainWindowFixture f;
        f.state.InterfaceLanguage = static_cast<Language>(c.language);
        f.help.ApplyLanguage();
        f.main.setEveningPlan(c.plan);
        EXPECT_EQ(f.main.trayIcon().toolTip(), QString::fromUtf8(c.tray));
        const auto* lamp = f.main.findChild<QWidget*>(QStringLiteral("Indicator_Attraction_Show"));
        ASSERT_NE(lamp, nullptr);
        EXPECT_EQ(QStringLiteral("Gloamery: ") + lamp->toolTip(), QString::fromUtf8(c.tray));
    }
}

TEST(TrackPointer, DuringThePresentationNoPanelOpensAndTheStartButtonHides) {
    MainWindowFixture f;
    f.pointAt(60, 170);
    ASSERT_TRUE(panel(f, 1)->isVisible());
    f.main.findChild<QTimer*>(QStringLiteral("Timer_Presentation"))->start();
    f.pointAt(60, 170);
    EXPECT_FALSE(f.widget(QStringLiteral("Sb_Attraction_Show"))->isVisible());
    f.pointAt(250, 170); // over ghost 2
    EXPECT_TRUE(panel(f, 1)->isVisible()) << "an open panel keeps its state";
    EXPECT_FALSE(panel(f, 2)->isVisible());
    f.main.findChild<QTimer*>(QStringLiteral("Timer_Presentation"))->stop();
    f.widget(QStringLiteral("Sb_Attraction_Show"))->show();
    f.pointAt(250, 170);
    EXPECT_TRUE(panel(f, 2)->isVisible());
    EXPECT_FALSE(panel(f, 1)->isVisible());
}

TEST(TrackPointer, LabelsUnderThePointerTurnRed) {
    MainWindowFixture f;
    f.pointAt(60, 170);
    QLabel* test = f.label(QStringLiteral("Lbl_Test_Ghost_1"));
    QLabel* up = f.label(QStringLiteral("Lbl_Ghost_1_Special_Up"));
    const QPoint overTest = test->mapTo(&f.main, QPoint(5, 5));
    f.pointAt(overTest.x(), overTest.y());
    EXPECT_EQ(test->palette().color(QPalette::WindowText), QColor(0xFF, 0x00, 0x00));
    EXPECT_EQ(up->palette().color(QPalette::WindowText), QColor(0x27, 0x1D, 0x52));
    const QPoint overUp = up->mapTo(&f.main, QPoint(5, 5));
    f.pointAt(overUp.x(), overUp.y());
    EXPECT_EQ(test->palette().color(QPalette::WindowText), QColor(0x27, 0x1D, 0x52));
    EXPECT_EQ(up->palette().color(QPalette::WindowText), QColor(0xFF, 0x00, 0x00));
}

TEST(TrackPointer, EachArrowLightsUpOnlyOverItsOwnRow) {
    MainWindowFixture f;
    const int lefts[] = {45, 225, 420, 615};
    const char* const rows[] = {"Special", "Regime", "Nrav", "Volume"};
    const QColor red(0xFF, 0x00, 0x00);
    for (int ghost = 1; ghost <= 4; ++ghost) {
        const int panelLeft = lefts[ghost - 1];
        // Through the middle of the "<" column and of the ">" column, from the first row's top
        // to the last row's bottom; rows lie 16 pixels apart from top 28.
        for (const auto& [arrowLeft, direction] : {std::pair{8, "Down"}, std::pair{104, "Up"}}) {
            for (int y = 28; y <= 28 + 4 * 16; ++y) {
                SCOPED_TRACE(testing::Message()
                             << "ghost " << ghost << " " << direction << " y " << y);
                f.pointAt(panelLeft + arrowLeft + 5, 152 + y);
                ASSERT_TRUE(panel(f, ghost)->isVisible());
                QStringList lit;
                for (const char* row : rows) {
                    for (const char* which : {"Down", "Up"}) {
                        const QString name =
                            QStringLiteral("Lbl_Ghost_%1_%2_%3").arg(ghost).arg(row).arg(which);
                        if (f.label(name)->palette().color(QPalette::WindowText) == red)
                            lit << name;
                    }
                }
                // The strict test leaves each row's first pixel line to nobody.
                const int offset = y - 28;
                if (offset % 16 == 0 || offset >= 4 * 16) {
                    EXPECT_TRUE(lit.isEmpty()) << lit.join(' ').toStdString();
                } else {
                    EXPECT_EQ(lit, QStringList{QStringLiteral("Lbl_Ghost_%1_%2_%3")
                                                   .arg(ghost)
                                                   .arg(rows[offset / 16])
                                                   .arg(direction)});
                }
            }
        }
    }
}

TEST(OpenDialog, OpensModallyRecentredButNeverWhileTheAttractionRuns) {
    MainWindowFixture f;
    QDialog dialog;
    int opened = 0;
    QObject::connect(&dialog, &QDialog::finished, [&] { ++opened; });
    TfmMain::Dialogs dialogs;
    dialogs.nastr = &dialog;
    f.main.setDialogs(dialogs);
    using Dialog = MainWindowCommands::Dialog;
    f.state.AttractionRunning = true;
    f.main.OpenDialog(Dialog::Nastr);
    EXPECT_EQ(opened, 0);

    f.state.AttractionRunning = false;
    f.main.move(3, 400);
    f.desktop.setWidth(1000);
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(f.main.pos(), QPoint(100, 10));
        dialog.close();
    });
    f.main.OpenDialog(Dialog::Nastr);
    EXPECT_EQ(opened, 1);
    EXPECT_FALSE(dialog.isVisible());

    dialog.show(); // a second command on a shown window hides it
    f.main.OpenDialog(Dialog::Nastr);
    EXPECT_FALSE(dialog.isVisible());
    f.main.OpenDialog(Dialog::WebServer); // a window not there yet: nothing happens
}

TEST(MainWindowState, AMinimiseWithoutATrayKeepsTheWindowAndHidingComesBackUnminimised) {
    MainWindowFixture f;
    f.main.setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    EXPECT_TRUE(f.main.isVisible()) << "with no notification area the window would be lost";
    EXPECT_TRUE(f.main.isMinimized());

    f.main.hideMainWindow();
    f.main.ShowMainWindow();
    EXPECT_TRUE(f.main.isVisible());
    EXPECT_FALSE(f.main.isMinimized()) << "restored from the tray as a taskbar entry only";
}

} // namespace
