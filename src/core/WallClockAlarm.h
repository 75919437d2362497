// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QObject>

// Wakes the program at a moment of the wall clock, however the clock gets there: a timer that
// counts elapsed time would be hours off after someone sets the clock or the machine sleeps.
class WallClockAlarm : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Replaces any moment armed before; a moment already past is due at once. An invalid moment
    // disarms.
    virtual void arm(const QDateTime& at) = 0;
    virtual void disarm() = 0;

signals:
    void due();
    // The wall clock was set: whatever was worked out from it must be worked out again.
    void clockChanged();
};
