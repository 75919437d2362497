// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/WallClockAlarm.h"

// An alarm the test fires by hand; it keeps the moment last armed (invalid when disarmed).
class FakeAlarm : public WallClockAlarm {
public:
    void arm(const QDateTime& at) override { armedAt = at; }
    void disarm() override { armedAt = {}; }
    void fire() { emit due(); }
    void clockSet() { emit clockChanged(); }

    QDateTime armedAt;
};
