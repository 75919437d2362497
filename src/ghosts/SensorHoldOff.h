// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QList>

#include <array>

class GhostTable;

// Keeps a ghost from chattering: after it reacts to a sensor it does not react again for a while,
// however often the switch flickers or someone stands before a motion sensor.
class SensorHoldOff {
public:
    static constexpr qint64 HoldOffMs = 10'000;

    // The switched-on ghosts that listen to `input` and have not reacted within the hold-off,
    // in ghost order.
    QList<int> readyListeners(const GhostTable& table, int input, const QDateTime& now) const;
    void reacted(int ghost, const QDateTime& now);

private:
    bool ready(int ghost, const QDateTime& now) const;

    std::array<QDateTime, 8> m_lastReaction;
};
