// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/BoardReport.h"

#include <QString>

class TJvHidDeviceController;

// The host's mirror of one board: the outputs to send and the inputs last received. It holds the
// board only during an exchange.
class TMyDevice {
public:
    static constexpr quint16 BoardVendorID = 0xABCC;
    // A board that does not answer within this leaves every input as it was; the next cycle
    // tries again. Without a limit one silent board would stop every board's exchanges.
    static constexpr int ReadLimitMs = 50;
    // Large enough for any HID report, whatever lengths a device claims.
    static constexpr int BufferSize = 65;

    explicit TMyDevice(TJvHidDeviceController* controller);

    quint16 VendorID = BoardVendorID;
    quint16 ProductID = 1;

    // Throw DeviceRangeError for an index outside the board's inputs or requests.
    quint8 AInputs(int index) const;
    bool DInputs(int index) const;
    void SetDOutputs(int index, quint8 value);
    quint8 DOutputs(int index) const;

    double Frequency() const { return m_inputs.Frequency; }
    bool Input10() const { return m_inputs.Input10; }
    const BoardReport::Inputs& inputs() const { return m_inputs; }

    // Sends the outputs and takes in one input report, if the board is there and free.
    void Exchange();
    // Why the last exchange could not reach the board; empty when it could, also when the board
    // did not answer in time, which the next cycle makes up for.
    const QString& fault() const { return m_fault; }

private:
    TJvHidDeviceController* m_controller;
    BoardReport::Requests FDOutputs{};
    BoardReport::Inputs m_inputs;
    QString m_fault;
};
