// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QtGlobal>

// Turns the digital inputs that several boards report into the moments an input turns on. An
// input is on when it is on at any board; it turns on when it was off at the previous report and
// is on now. A board's first report only sets where it stands, so a switch left on while the
// program started does not count as a press.
class SensorEdges {
public:
    static constexpr int Inputs = 9;

    // `inputs`: bit k set when input k (0..8) is on at that board. Returns the inputs that turned
    // on, lowest first.
    QList<int> report(int board, quint16 inputs);
    bool isOn(int input) const { return (combined() >> input) & 1U; }
    // Bit k set when input k is on at any board.
    quint16 combined() const;

private:
    QHash<int, quint16> m_boards;
};
