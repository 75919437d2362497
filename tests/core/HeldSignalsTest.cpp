// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HeldSignals.h"

#include "core/SignalPipe.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <thread>
#include <unistd.h>

namespace {

// SIGUSR1's default action ends the process: a signal that got through unheld ends the test.
TEST(HeldSignals, ASignalSentWhileHeldWaitsForTheProgramToListen) {
    HeldSignals held({SIGUSR1});
    ASSERT_EQ(raise(SIGUSR1), 0);
    // A thread started meanwhile, as a library's would be, does not take it either.
    std::thread([] { kill(getpid(), SIGUSR1); }).join();

    SignalPipe pipe({SIGUSR1});
    ASSERT_TRUE(pipe.isListening());
    int heard = 0;
    QObject::connect(&pipe, &SignalPipe::received, [&](int signalNumber) {
        EXPECT_EQ(signalNumber, SIGUSR1);
        ++heard;
    });
    held.release();
    const QDeadlineTimer deadline(5000);
    while (heard == 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_GE(heard, 1);
    held.release(); // a second release changes nothing
}

} // namespace
