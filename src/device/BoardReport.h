// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <array>

// The two 9-byte HID reports a board exchanges with the host. Byte 0 is the report id (0); the
// byte numbers below count it, whatever the HID library does with it.
namespace BoardReport {

constexpr int Size = 9;
// Output requests the host keeps; only the first BoardOutputs reach the board.
constexpr int RequestCount = 13;
constexpr int BoardOutputs = 8;
constexpr int AnalogInputs = 7;
constexpr int DigitalInputs = 9;
// The board counts pulses; the count divided by this is the frequency the program shows.
constexpr double FrequencyDivisor = 2.795;

using Bytes = std::array<quint8, Size>;
using Requests = std::array<quint8, RequestCount>;

// What the host last heard from a board; all 0 and false until the first report.
struct Inputs {
    std::array<quint8, AnalogInputs> AInputs{};
    std::array<bool, DigitalInputs> DInputs{};
    double Frequency = 0;
    bool Input10 = false;

    bool operator==(const Inputs&) const = default;
};

// The board's wiring puts the outputs in this order on the bits of byte 2.
constexpr std::array<quint8, BoardOutputs> OutputMasks = {0x01, 0x02, 0x20, 0x40,
                                                          0x80, 0x04, 0x08, 0x10};

// The output report for the requests: a request other than 0 is on; requests 8 to 12 never
// reach the board.
Bytes outputReport(const Requests& FDOutputs);

// Takes in an input report. Bit 0 of byte 1 tells its kind: kind 1 carries digital inputs 0 to 7,
// analog inputs 3 to 6 and the frequency count; kind 0 analog inputs 0 to 2, digital input 8 and
// input 10. The other kind's fields keep their values.
void applyInputReport(const Bytes& report, Inputs& inputs);

// The board's side of the same two reports, for boards the program simulates.

// What a board reads on its pins: the frequency is the raw pulse count it sends.
struct BoardInputs {
    std::array<quint8, AnalogInputs> AInputs{};
    std::array<bool, DigitalInputs> DInputs{};
    quint16 FrequencyCount = 0;
    bool Input10 = false;

    bool operator==(const BoardInputs&) const = default;
};

// The value of bit 0 of byte 1.
enum class InputKind : quint8 { Analog = 0, Digital = 1 };

// The input report of the kind carrying its share of the board's inputs; the other bytes are 0.
Bytes inputReport(const BoardInputs& inputs, InputKind kind);

using Outputs = std::array<bool, BoardOutputs>;

// The eight outputs an output report asks for, FDOutputs order.
Outputs boardOutputs(const Bytes& outputReport);

} // namespace BoardReport
