// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/OutputPulse.h"
#include "device/SensorEdges.h"

#include <QList>
#include <QObject>
#include <QPointer>

class TMyDataFrame;

// The boards as the home's sensors and its door. Gathers what the monitor pages read into sensor
// presses, and opens the door by ticking the pages' "Switch" boxes: the pages stay the only users
// of the boards, and a person watching them sees the door open.
class HouseBoards : public QObject {
    Q_OBJECT
public:
    static constexpr int DoorOpenMs = 3000;
    // The "Switch" box, output index 3.
    static constexpr int DoorOutputBox = 4;

    explicit HouseBoards(QObject* parent = nullptr);

    void addMonitor(TMyDataFrame* frame);
    bool hasBoards() const { return !m_frames.isEmpty(); }
    // Ticks "Switch" on every page for DoorOpenMs; false, doing nothing, without a board.
    bool openDoor();
    bool doorOpening() const { return m_door.active(); }

signals:
    // Input 0..8 has turned on at one of the boards; `board` is the product id of the board
    // whose report turned it on.
    void sensorTurnedOn(int input, int board);

private:
    void switchDoor(bool on);

    QList<QPointer<TMyDataFrame>> m_frames;
    SensorEdges m_edges;
    OutputPulse m_door;
};
