// SPDX-License-Identifier: GPL-3.0-or-later
// The wall clock alarm against the real kernel timer. Its report of a clock that was set is not
// tested: that needs setting this machine's clock.
#include "core/TimerFdAlarm.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    std::vector<qint64> armAheadMs; // each replaces the one before; INT64_MIN: an invalid moment
    bool disarmAfter;
    int dues;         // within the wait
    qint64 notBefore; // ms after arming
};

constexpr qint64 Invalid = INT64_MIN;

TEST(TimerFdAlarm, WakesAtTheMomentArmedAndOnlyThen) {
    const Case cases[] = {
        {"100 ms ahead", {100}, false, 1, 95},
        {"a moment past is due at once", {-5000}, false, 1, 0},
        {"the later moment replaces the earlier", {100, 300}, false, 1, 295},
        {"disarmed", {100}, true, 0, 0},
        {"an invalid moment disarms", {100, Invalid}, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TimerFdAlarm alarm;
        ASSERT_TRUE(alarm.isWorking());
        QSignalSpy due(&alarm, &WallClockAlarm::due);
        QSignalSpy changed(&alarm, &WallClockAlarm::clockChanged);
        QElapsedTimer elapsed;
        elapsed.start();
        qint64 firstDueMs = -1;
        QObject::connect(&alarm, &WallClockAlarm::due, &alarm, [&] {
            if (firstDueMs < 0)
                firstDueMs = elapsed.elapsed();
        });
        const QDateTime now = QDateTime::currentDateTime();
        for (const qint64 ahead : c.armAheadMs)
            alarm.arm(ahead == Invalid ? QDateTime() : now.addMSecs(ahead));
        if (c.disarmAfter)
            alarm.disarm();
        QTest::qWait(600);
        EXPECT_EQ(due.count(), c.dues);
        EXPECT_EQ(changed.count(), 0);
        if (c.dues > 0) {
            EXPECT_GE(firstDueMs, c.notBefore);
        }
    }
}

} // namespace
