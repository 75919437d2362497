// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/OutputPulse.h"
#include "device/SensorEdges.h"

#include <QObject>

#include <memory>
#include <vector>

class BoardPoller;
class BoardThread;
class HidBackendFactory;
class TJvHidDeviceController;

// The USB boards, and their only user: finds them once at the start, polls each through its
// BoardPoller, gathers their inputs into the home's sensor presses and opens the door by switching
// "Switch" on every board. The exchanges and the HID controller live on a thread of their own;
// everything here, signals included, happens on the thread that made this.
class HouseBoards : public QObject {
    Q_OBJECT
public:
    static constexpr int DoorOpenMs = 3000;
    // "Switch", the fourth output.
    static constexpr int DoorOutput = 3;
    static constexpr int FirstProductId = 1;
    static constexpr int LastProductId = 10;

    // Looks for the boards on the boards' thread; boardsFound() tells when they are there. Without
    // a factory no board is looked for and the search is over at once.
    explicit HouseBoards(HidBackendFactory* boards, QObject* parent = nullptr);
    // The pollers' last exchanges switch their boards' first five outputs off; then the boards'
    // thread ends, waited for.
    ~HouseBoards() override;

    bool searchDone() const { return m_searchDone; }
    // One per board found, by increasing product id; none before the search is done.
    const std::vector<std::unique_ptr<BoardPoller>>& pollers() const { return m_pollers; }
    bool hasBoards() const { return !m_pollers.empty(); }
    // Switches "Switch" on at every board for DoorOpenMs; false, doing nothing, without a board.
    bool openDoor();
    bool doorOpening() const { return m_door.active(); }

    // The home automation's own inputs, gathered with the boards' as one more board's: an input
    // it turns on counts as a press exactly as a board's would.
    void setHomeInput(int input, bool on);
    // On, then off at once: a doorbell that reports only its ring.
    void pressHomeInput(int input);
    bool inputOn(int input) const { return m_edges.isOn(input); }

signals:
    // Once, when the search is over and the pollers are made.
    void boardsFound();
    // Input 0..8 has turned on at one of the boards; `board` is the product id of the board
    // whose report turned it on.
    void sensorTurnedOn(int input, int board);
    // Input 0..8, gathered over every board and the home automation, has turned on or off.
    void inputChanged(int input, bool on);
    void doorChanged(bool open);

private:
    void addBoards(const QList<int>& productIds, TJvHidDeviceController* controller);
    void switchDoor(bool on);
    void takeReport(int board, quint16 inputs);

    std::unique_ptr<BoardThread> m_thread;
    std::vector<std::unique_ptr<BoardPoller>> m_pollers;
    bool m_searchDone = false;
    SensorEdges m_edges;
    quint16 m_homeInputs = 0;
    OutputPulse m_door;
};
