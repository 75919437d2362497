// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/SensorEdges.h"

QList<int> SensorEdges::report(int board, quint16 inputs) {
    inputs &= (1U << Inputs) - 1;
    const bool known = m_boards.contains(board);
    const quint16 before = combined();
    m_boards.insert(board, inputs);
    QList<int> turnedOn;
    if (!known)
        return turnedOn;
    const quint16 rising = combined() & ~before;
    for (int input = 0; input < Inputs; ++input) {
        if ((rising >> input) & 1U)
            turnedOn.append(input);
    }
    return turnedOn;
}

quint16 SensorEdges::combined() const {
    quint16 all = 0;
    for (const quint16 inputs : m_boards)
        all |= inputs;
    return all;
}
