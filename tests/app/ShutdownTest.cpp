// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalMessageBoxes.h"
#include "ProgramRun.h"
#include "app/ShutdownSignals.h"
#include "app/TfmLogo.h"
#include "ghosts/TfmGhost.h"
#include "mainwindow/TfmMain.h"
#include "support/TempStore.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

namespace {

const QString ProgramKey = QStringLiteral("SoftWare\\Brannoch\\Gloamery\\");

int storedGhostValues(const TempStore& temp) {
    return temp
        .querySingle("SELECT count(*) FROM settings WHERE key = "
                     "'SoftWare\\Brannoch\\Gloamery\\Ghosts' AND type = 'integer' OR "
                     "key = 'SoftWare\\Brannoch\\Gloamery\\Ghosts' AND name LIKE '%Name'")
        .toInt();
}

// The statement runs in a child started afresh (Qt's threads do not survive a bare fork): a
// crash or a fatal signal there fails the test instead of ending the test program.
#define EXPECT_CHILD_SUCCEEDS(statement)                                                           \
    do {                                                                                           \
        GTEST_FLAG_SET(death_test_style, "threadsafe");                                            \
        EXPECT_EXIT({ _exit((statement) ? 0 : 1); }, ::testing::ExitedWithCode(0), "");            \
    } while (false)

TEST(ShutdownSignals, TermIntAndHangUpArriveOnTheEventLoop) {
    // Before SIGHUP was caught, it killed the program on the spot.
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        EXPECT_CHILD_SUCCEEDS([signalNumber] {
            ShutdownSignals source;
            QSignalSpy spy(&source, &ShutdownSignals::shutdownRequested);
            raise(signalNumber);
            return spy.wait(2000) && spy.first().first().toInt() == signalNumber;
        }());
    }
}

TEST(ShutdownSignals, ASignalReadBeforeAnyoneListensWaitsForTheFirstListener) {
    ShutdownSignals source;
    raise(SIGINT);
    raise(SIGTERM);
    // A nested loop, as a start-up error box runs, reads the signals with nobody connected.
    QEventLoop box;
    QTimer::singleShot(100, &box, &QEventLoop::quit);
    box.exec();

    QSignalSpy spy(&source, &ShutdownSignals::shutdownRequested);
    ASSERT_TRUE(spy.wait(2000));
    EXPECT_EQ(spy.first().first().toInt(), SIGINT);
    EXPECT_FALSE(spy.wait(100)) << "one ending is enough";
}

TEST(Shutdown, ASignalWhileADialogIsOpenClosesTheDialogFirstThenEndsTheProgramInOrder) {
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        TempStore temp;
        ShutdownSignals source;
        ProgramRun program(temp.store());
        program.signalSource = &source;
        bool mainWasStillUpWhenTheDialogClosed = false;
        ASSERT_TRUE(program.run([&](Program& p) {
            p.windows().fmGhost->ghostTable()[4].Regime = 3;
            QTimer::singleShot(20, [signalNumber] { raise(signalNumber); });
            p.windows().fmGhost->exec(); // returns only when something closes it
            mainWasStillUpWhenTheDialogClosed = p.windows().fmMain->isVisible();
        })) << signalNumber;
        EXPECT_TRUE(mainWasStillUpWhenTheDialogClosed);
        auto key =
            temp.reopen().openKey(QStringLiteral("SoftWare\\Brannoch\\Gloamery\\Ghosts"), false);
        ASSERT_TRUE(key);
        EXPECT_EQ(key->readInteger(QStringLiteral("Ghost_4_Regime")), 3);
        EXPECT_EQ(temp.store().openKey(ProgramKey, false)->readInteger(QStringLiteral("Premier")),
                  0);
    }
}

TEST(Shutdown, ASignalDuringTheSplashKeepsTheFirstRunPresentationForNextTime) {
    TempStore temp;
    ShutdownSignals source;
    ProgramRun program(temp.store());
    program.signalSource = &source;
    ASSERT_TRUE(program.run({}, [&](Program&) { raise(SIGTERM); }));
    EXPECT_TRUE(program.state.SplashShown) << "closed through its own handler";
    EXPECT_FALSE(program.mainWindowShown);
    EXPECT_EQ(program.presentations, 0);
    EXPECT_EQ(temp.store().openKey(ProgramKey, false)->readInteger(QStringLiteral("Premier")), 1);

    ProgramRun next(temp.reopen());
    ASSERT_TRUE(next.run());
    EXPECT_EQ(next.presentations, 1);
}

TEST(Shutdown, ASignalWhileAStartUpErrorBoxIsOpenClosesItAndEndsTheProgramInOrder) {
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        TempStore temp;
        temp.store()
            .openKey(QStringLiteral("SoftWare\\Brannoch\\Gloamery\\Ghosts"), true)
            ->writeString(QStringLiteral("Ghost_3_Regime"), QStringLiteral("x"));
        ShutdownSignals source;
        ModalMessageBoxes boxes;
        boxes.whenShown = [signalNumber](const QString&) {
            raise(signalNumber);
        };
        ProgramRun program(temp.store());
        program.signalSource = &source;
        program.boxes = &boxes;
        ASSERT_TRUE(program.run()) << signalNumber;
        EXPECT_EQ(boxes.errors,
                  QStringList{QStringLiteral("Invalid data type for 'Ghost_3_Regime'")});
        EXPECT_EQ(boxes.leftOpen, 0) << signalNumber << ": the signal did not close the box";
        EXPECT_FALSE(program.mainWindowShown) << signalNumber;
        EXPECT_EQ(storedGhostValues(temp), 88) << signalNumber;
        EXPECT_EQ(temp.store().openKey(ProgramKey, false)->readInteger(QStringLiteral("Premier")),
                  1)
            << "the presentation waits for a run that shows it";
    }
}

// Used to crash: the object that heard the first signal was gone when the second came.
bool secondSignalDuringASaveErrorBox() {
    TempStore temp;
    temp.store().openKey(ProgramKey, true);
    temp.close();
    temp.execSql("CREATE TRIGGER refuse BEFORE INSERT ON key_values "
                 "WHEN NEW.name = 'Attraction_Time' BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    ShutdownSignals source;
    ModalMessageBoxes boxes;
    boxes.whenShown = [](const QString&) {
        raise(SIGTERM);
    };
    ProgramRun program(temp.reopen());
    program.signalSource = &source;
    program.boxes = &boxes;
    const bool ended = program.run([](Program& p) {
        // The first signal ends the run itself, before the windows save.
        raise(SIGTERM);
        QDeadlineTimer deadline(5000);
        while (p.windows().fmMain->isVisible() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    });
    auto key = temp.reopen().openKey(ProgramKey, false);
    return ended &&
           boxes.errors ==
               QStringList{QStringLiteral("Failed to set data for 'Attraction_Time'")} &&
           boxes.leftOpen == 0 && storedGhostValues(temp) == 88 && key &&
           key->valueExists(QStringLiteral("Value_Max")) &&
           key->readInteger(QStringLiteral("Premier")) == 0;
}

TEST(Shutdown, ASecondSignalWhileASaveErrorBoxIsOpenClosesItAndTheOtherWindowsStillSave) {
    EXPECT_CHILD_SUCCEEDS(secondSignalDuringASaveErrorBox());
}

} // namespace
