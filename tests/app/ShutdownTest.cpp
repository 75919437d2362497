#include "ProgramRun.h"
#include "app/ShutdownSignals.h"
#include "app/TfmLogo.h"
#include "ghosts/TfmGhost.h"
#include "mainwindow/TfmMain.h"
#include "support/TempStore.h"

#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

namespace {

const QString ProgramKey = QStringLiteral("SoftWare\\Brannoch\\Gloamery\\");

void connectTo(ShutdownSignals& source, Program& program) {
    QObject::connect(&source, &ShutdownSignals::shutdownRequested,
                     [&program] { program.requestShutdown(); });
}

TEST(ShutdownSignals, TermAndIntArriveOnTheEventLoop) {
    ShutdownSignals source;
    QSignalSpy spy(&source, &ShutdownSignals::shutdownRequested);
    for (int signalNumber : {SIGTERM, SIGINT}) {
        spy.clear();
        raise(signalNumber);
        ASSERT_TRUE(spy.wait(2000)) << signalNumber;
        EXPECT_EQ(spy.first().first().toInt(), signalNumber);
    }
}

TEST(Shutdown, ASignalWhileADialogIsOpenClosesTheDialogFirstThenEndsTheProgramInOrder) {
    for (int signalNumber : {SIGTERM, SIGINT}) {
        TempStore temp;
        ShutdownSignals source;
        ProgramRun program(temp.store());
        bool mainWasStillUpWhenTheDialogClosed = false;
        ASSERT_TRUE(program.run([&](Program& p) {
            connectTo(source, p);
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
    ASSERT_TRUE(program.run({}, [&](Program& p) {
        connectTo(source, p);
        raise(SIGTERM);
    }));
    EXPECT_TRUE(program.state.SplashShown) << "closed through its own handler";
    EXPECT_FALSE(program.mainWindowShown);
    EXPECT_EQ(program.presentations, 0);
    EXPECT_EQ(temp.store().openKey(ProgramKey, false)->readInteger(QStringLiteral("Premier")), 1);

    ProgramRun next(temp.reopen());
    ASSERT_TRUE(next.run());
    EXPECT_EQ(next.presentations, 1);
}

} // namespace
