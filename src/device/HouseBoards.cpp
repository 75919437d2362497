// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/HouseBoards.h"

#include "device/TMyDataFrame.h"

#include <QCheckBox>

HouseBoards::HouseBoards(QObject* parent)
    : QObject(parent)
    , m_door(DoorOpenMs, [this](bool on) { switchDoor(on); }) {}

void HouseBoards::addMonitor(TMyDataFrame* frame) {
    m_frames.append(frame);
    const int board = frame->device().ProductID;
    connect(frame, &TMyDataFrame::inputsRead, this, [this, board](quint16 inputs) {
        for (const int input : m_edges.report(board, inputs))
            emit sensorTurnedOn(input, board);
    });
}

bool HouseBoards::openDoor() {
    if (m_frames.isEmpty())
        return false;
    m_door.start();
    return true;
}

void HouseBoards::switchDoor(bool on) {
    for (const QPointer<TMyDataFrame>& frame : std::as_const(m_frames)) {
        if (frame)
            frame->outputBox(DoorOutputBox)->setChecked(on);
    }
}
