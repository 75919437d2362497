// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/LoopLagProbe.h"

#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

void runLoopFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

// Only lower bounds: a busy machine may add stalls of its own, never take the made one away.
TEST(LoopLagProbe, ReportsTheLoopsStallAndWritesItsSummaryWhenItGoes) {
    QTemporaryDir dir;
    const QString report = dir.filePath(QStringLiteral("probe.txt"));
    {
        LoopLagProbe probe(report, 0);
        runLoopFor(30);
        std::this_thread::sleep_for(std::chrono::milliseconds(80));
        runLoopFor(30);
        EXPECT_GE(probe.longestMs(), 70);
        EXPECT_TRUE(probe.summary().contains(QStringLiteral("over 50 ms ")));
        EXPECT_FALSE(probe.summary().contains(QStringLiteral("over 50 ms 0")));
    }
    QFile written(report);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().startsWith("ticks "));
}
