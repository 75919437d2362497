// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardProcess.h"
#include "device/SimBoardBackend.h"
#include "device/TJvHidDeviceController.h"
#include "device/TMyDataFrame.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A monitor page on a real simulated board, polled by its own timer while the test waits.
struct SimulatedMonitor {
    QTemporaryDir dir;
    BoardProcess board{
        {QStringLiteral("--pid"), QStringLiteral("3"), QStringLiteral("--dir"), dir.path()}};
    std::unique_ptr<TJvHidDeviceController> controller;
    std::unique_ptr<TMyDataFrame> frame;

    SimulatedMonitor() {
        auto backend = std::make_unique<SimBoardBackend>(dir.path());
        SimBoardBackend* listed = backend.get();
        EXPECT_TRUE(waitUntil([&] { return listed->enumerate().size() == 1; }));
        controller = std::make_unique<TJvHidDeviceController>(std::move(backend));
        frame = std::make_unique<TMyDataFrame>(nullptr, 3, controller.get());
    }
    ~SimulatedMonitor() {
        frame.reset();
        controller.reset();
    }

    void command(const char* line) {
        board.send(QString::fromLatin1(line));
        ASSERT_TRUE(board.sync()) << line;
    }
    bool analogShows(const char* text) {
        return waitUntil([&] { return frame->analogField()->text() == QLatin1String(text); });
    }
};

TEST(SimulatedMonitor, ASilentBoardNeitherHoldsTheCycleNorLosesItsValues) {
    SimulatedMonitor m;
    m.command("ad 1 200");
    m.command("in 2 on");
    ASSERT_TRUE(m.analogShows("C8 00 00 00 00 00 00"));
    ASSERT_TRUE(waitUntil([&] { return m.frame->inputBox(2)->isChecked(); }));

    m.command("silent on");
    m.command("ad 1 10");
    for (int cycle = 0; cycle < 5; ++cycle) {
        QElapsedTimer clock;
        clock.start();
        m.frame->Timer_WorkTimer();
        // Generous: a read without its limit would never return at all.
        EXPECT_LT(clock.elapsed(), 2000);
    }
    EXPECT_EQ(m.frame->analogField()->text(), "C8 00 00 00 00 00 00");
    EXPECT_TRUE(m.frame->inputBox(2)->isChecked());

    m.command("silent off");
    EXPECT_TRUE(m.analogShows("0A 00 00 00 00 00 00"));
}

TEST(SimulatedMonitor, UnpluggedExchangesPauseAndResumeOnTheirOwn) {
    SimulatedMonitor m;
    m.command("ad 3 17");
    ASSERT_TRUE(m.analogShows("00 00 11 00 00 00 00"));

    m.command("unplug");
    ASSERT_TRUE(waitUntil([&] { return m.controller->Count() == 0; }));
    m.command("ad 3 34");
    for (int cycle = 0; cycle < 3; ++cycle)
        m.frame->Timer_WorkTimer();
    EXPECT_EQ(m.frame->analogField()->text(), "00 00 11 00 00 00 00");

    m.command("plug");
    EXPECT_TRUE(m.analogShows("00 00 22 00 00 00 00"));
}

TEST(SimulatedMonitor, TheEndSwitchesTheFirstFiveOutputsOffOnTheBoard) {
    SimulatedMonitor m;
    for (int box = 1; box <= 8; ++box)
        m.frame->outputBox(box)->setChecked(true);
    ASSERT_TRUE(m.board.waitForOutput(QStringLiteral("output 8 on")));
    m.frame.reset();
    for (int output = 1; output <= 5; ++output)
        EXPECT_TRUE(m.board.waitForOutput(QStringLiteral("output %1 off").arg(output))) << output;
    m.board.sync();
    for (int output = 6; output <= 8; ++output)
        EXPECT_FALSE(m.board.output().contains(QStringLiteral("output %1 off").arg(output)));
}

} // namespace
