// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramRun.h"
#include "app/TfmLogo.h"
#include "ghosts/TfmGhost.h"
#include "mainwindow/TfmMain.h"
#include "net/TfmNet.h"
#include "settings/TfmNastr.h"
#include "support/TempStore.h"
#include "widgetkit/IndicatorLamp.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString ProgramKey = QStringLiteral("SoftWare\\Brannoch\\Gloamery\\");

int storedGhostValues(const TempStore& temp) {
    return temp
        .querySingle("SELECT count(*) FROM settings WHERE key = "
                     "'SoftWare\\Brannoch\\Gloamery\\Ghosts'")
        .toInt();
}

TEST(ProgramLifecycle, WindowsAreDestroyedInExactlyTheReverseOrderOfCreation) {
    TempStore temp;
    ProgramRun program(temp.store());
    ASSERT_TRUE(program.run());
    const QStringList order = {"fmMain",           "fmHelp",   "fmLogo",    "fmGhost",
                               "fmWebServer",      "fmNet",    "fmSound",   "fmNastr",
                               "fmHomeAutomation", "fmSounds", "fmSchedule"};
    std::vector<std::pair<QString, bool>> expected;
    for (const QString& form : order)
        expected.emplace_back(form, true);
    for (auto form = order.rbegin(); form != order.rend(); ++form)
        expected.emplace_back(*form, false);
    EXPECT_EQ(program.lifecycle, expected);
}

TEST(ProgramLifecycle, FirstStartPresentsOnceAndSavesEverythingAtTheEnd) {
    TempStore temp;
    {
        ProgramRun first(temp.store());
        ASSERT_TRUE(first.run());
        EXPECT_TRUE(first.mainWindowShown);
        EXPECT_EQ(first.presentations, 1);
        EXPECT_TRUE(first.messages.errors.isEmpty());
    }
    EXPECT_TRUE(temp.store().keyExists(ProgramKey));
    EXPECT_EQ(temp.store().openKey(ProgramKey, false)->readInteger(QStringLiteral("Premier")), 0);
    EXPECT_EQ(storedGhostValues(temp), 88);

    ProgramRun second(temp.reopen());
    ASSERT_TRUE(second.run());
    EXPECT_EQ(second.presentations, 0);
}

TEST(ProgramLifecycle, PremierStoredAsTextIsReportedAndStartUpGoesOnWithoutPresentation) {
    TempStore temp;
    temp.store()
        .openKey(ProgramKey, true)
        ->writeString(QStringLiteral("Premier"), QStringLiteral("0"));
    ProgramRun program(temp.store());
    ASSERT_TRUE(program.run());
    EXPECT_EQ(program.messages.errors,
              QStringList{QStringLiteral("Invalid data type for 'Premier'")});
    EXPECT_TRUE(program.mainWindowShown);
    EXPECT_EQ(program.presentations, 0);
    EXPECT_EQ(storedGhostValues(temp), 88);
}

TEST(ProgramLifecycle, TheSplashAndTheMainWindowAreCentredOnThePrimaryScreen) {
    struct Case {
        QRect area;
        QPoint splash;
        QPoint main;
    };
    const Case cases[] = {
        {{0, 0, 1280, 1024}, {440, 100}, {240, 10}},
        {{0, 0, 800, 600}, {200, 100}, {0, 10}},
        {{0, 0, 799, 600}, {199, 100}, {0, 10}},
        {{0, 0, 640, 480}, {120, 100}, {-80, 10}},
        // Several monitors: the primary one right of another, or left of the origin with a panel
        // along its top.
        {{1920, 0, 1280, 1024}, {2360, 100}, {2160, 10}},
        {{-1280, 28, 1280, 996}, {-840, 128}, {-1040, 38}},
    };
    for (const Case& c : cases) {
        TempStore temp;
        ProgramRun program(temp.store());
        program.desktop.setArea(c.area);
        QRect splash;
        QRect placed;
        ASSERT_TRUE(program.run([&](Program& p) { placed = p.windows().fmMain->geometry(); },
                                [&](Program& p) {
                                    splash = p.windows().fmLogo->geometry();
                                    p.windows().fmLogo->close();
                                }));
        EXPECT_EQ(splash, QRect(c.splash, QSize(400, 300))) << c.area.x() << "," << c.area.y();
        EXPECT_EQ(placed, QRect(c.main, QSize(800, 600))) << c.area.x() << "," << c.area.y();
    }
}

TEST(ProgramLifecycle, ShowingTheMainWindowAgainSkipsTheSplashAndResetsTheWindows) {
    TempStore temp;
    ProgramRun program(temp.store());
    int splashes = 0;
    ASSERT_TRUE(program.run(
        [&](Program& p) {
            ProgramWindows& w = p.windows();
            // As after a trip to the tray: things moved on meanwhile.
            w.fmMain->hide();
            w.fmMain->move(5, 300);
            w.fmNet->show();
            w.fmGhost->show();
            w.fmGhost->Btn_YellowClick(6);
            w.fmGhost->hide();
            program.state.DialogOpen.opened();
            program.desktop.setWidth(1000);
            w.fmMain->ShowMainWindow();
            EXPECT_EQ(w.fmMain->geometry(), QRect(100, 10, 800, 600));
            EXPECT_FALSE(w.fmNet->isVisible());
            EXPECT_EQ(w.fmGhost->selectedGhost(), 1);
            EXPECT_FALSE(program.state.DialogOpen);
            EXPECT_TRUE(w.fmMain->isVisible());
        },
        [&](Program& p) {
            ++splashes;
            p.windows().fmLogo->close();
        }));
    EXPECT_EQ(splashes, 1);
    EXPECT_EQ(program.presentations, 1);
}

TEST(ProgramLifecycle, TheLanguageIsAppliedToTheMainWindowAtEveryShow) {
    struct Case {
        int edition;
        const char* closeHint;
        const char* lampHint;
    };
    const Case cases[] = {{0, "Exit", "Attraction is stopped"},
                          {1, "Выйти из программы", "Аттракцион остановлен"}};
    for (const Case& c : cases) {
        TempStore temp;
        ProgramRun program(temp.store(), 1280, c.edition);
        ASSERT_TRUE(program.run([&](Program& p) {
            TfmMain* main = p.windows().fmMain;
            EXPECT_EQ(main->findChild<QLabel*>(QStringLiteral("Sb_Close"))->toolTip(),
                      QString::fromUtf8(c.closeHint));
            auto* lamp =
                main->findChild<IndicatorLamp*>(QStringLiteral("Indicator_Attraction_Show"));
            EXPECT_EQ(lamp->toolTip(), QString::fromUtf8(c.lampHint));
            EXPECT_EQ(lamp->fill(), QColor(0x00, 0x80, 0xC0));
        }));
        EXPECT_EQ(program.state.InterfaceLanguage, static_cast<Language>(c.edition));
    }
}

TEST(ProgramLifecycle, TheStartButtonRunsTheAttractionAndDialogsOpenOnlyWhenItIsStopped) {
    TempStore temp;
    ProgramRun program(temp.store());
    bool dialogWasOpen = false;
    bool ghostDialogWasOpen = false;
    ASSERT_TRUE(program.run([&](Program& p) {
        TfmMain* main = p.windows().fmMain;
        auto* start = main->findChild<QLabel*>(QStringLiteral("Sb_Attraction_Show"));
        auto* settings = main->findChild<QLabel*>(QStringLiteral("Lbl_Nastr"));
        QTest::mouseClick(start, Qt::LeftButton, {}, QPoint(80, 25));
        EXPECT_TRUE(program.state.AttractionRunning);
        EXPECT_TRUE(p.services().attraction.timer().isActive());
        EXPECT_EQ(start->toolTip(), QStringLiteral("Stop the Attraction"));

        QTest::mouseClick(settings, Qt::LeftButton); // refused while running
        EXPECT_FALSE(p.windows().fmNastr->isVisible());

        QTest::mouseClick(start, Qt::LeftButton, {}, QPoint(80, 25));
        EXPECT_FALSE(p.services().attraction.timer().isActive());
        EXPECT_EQ(start->toolTip(), QStringLiteral("Run a Attraction"));
        QTimer::singleShot(50, [&] {
            dialogWasOpen = p.windows().fmNastr->isVisible() && program.state.DialogOpen;
            p.windows().fmNastr->close();
        });
        QTest::mouseClick(settings, Qt::LeftButton);
        EXPECT_FALSE(program.state.DialogOpen);

        QTimer::singleShot(50, [&] {
            ghostDialogWasOpen = p.windows().fmGhost->isVisible() && program.state.DialogOpen;
            p.windows().fmGhost->close();
        });
        QTest::mouseClick(main->findChild<QLabel*>(QStringLiteral("Lbl_Ghost")), Qt::LeftButton);
        EXPECT_FALSE(program.state.DialogOpen);
    }));
    EXPECT_TRUE(dialogWasOpen);
    EXPECT_TRUE(ghostDialogWasOpen);
}

TEST(ProgramLifecycle, TheGhostDialogBuildsItsControlsAtItsFirstOpeningInTheLanguageThen) {
    const std::pair<int, const char*> cases[] = {{0, " Ghost’s working time "},
                                                 {1, " Режим работы призрака "}};
    for (const auto& [edition, regimeGroup] : cases) {
        TempStore temp;
        ProgramRun program(temp.store(), 1280, edition);
        bool builtAtStart = true;
        QString shownGroup;
        QString shownNumber;
        ASSERT_TRUE(program.run([&](Program& p) {
            TfmGhost* ghosts = p.windows().fmGhost;
            builtAtStart = ghosts->controlsBuilt();
            QTimer::singleShot(50, [&, ghosts] {
                shownGroup = ghosts->findChild<QGroupBox*>(QStringLiteral("GB_Regime"))->title();
                shownNumber =
                    ghosts->findChild<QLineEdit*>(QStringLiteral("Edit_Ghost_Num"))->text();
                ghosts->close();
            });
            QTest::mouseClick(p.windows().fmMain->findChild<QLabel*>(QStringLiteral("Lbl_Ghost")),
                              Qt::LeftButton);
        }));
        EXPECT_FALSE(builtAtStart) << edition;
        EXPECT_EQ(shownGroup, QString::fromUtf8(regimeGroup)) << edition;
        EXPECT_EQ(shownNumber, QStringLiteral("1")) << edition;
    }
}

TEST(ProgramLifecycle, AStoreThatCannotBeUsedGivesAWorkingProgramAndStaysUntouched) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.db"));
    const QByteArray notes = "my own notes\n";
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(notes);
    }
    for (int run = 0; run < 2; ++run) {
        SettingsStore store(path);
        ProgramRun program(store);
        ASSERT_TRUE(program.run());
        EXPECT_EQ(program.presentations, 1) << "a first start every time";
        ASSERT_EQ(program.messages.errors.size(), 1) << "told once, at start";
        EXPECT_TRUE(program.messages.errors.first().contains(path));
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), notes);
}

} // namespace
