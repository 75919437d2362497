// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: a byte stream from a simulated board, cut into reports by the framing and
// each taken in by applyInputReport. The board's encoding of what was decoded must decode to the
// same inputs, and nothing may crash or read out of bounds.
#include "device/BoardReport.h"
#include "device/SimBoardWire.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

using BoardReport::Bytes;
using BoardReport::Inputs;

// What a board would have to read on its pins to send `report`.
BoardReport::BoardInputs boardSide(const Inputs& inputs, const Bytes& report) {
    BoardReport::BoardInputs board;
    board.AInputs = inputs.AInputs;
    board.DInputs = inputs.DInputs;
    board.Input10 = inputs.Input10;
    board.FrequencyCount = static_cast<quint16>(report[7] | report[8] << 8);
    return board;
}

void takeReport(std::span<const quint8> framed, Inputs& inputs) {
    if (framed.empty() || framed.size() > size_t(SimBoardWire::MaxReport))
        std::abort();
    Bytes report{};
    std::copy_n(framed.begin(), std::min(framed.size(), report.size()), report.begin());
    const Inputs before = inputs;
    BoardReport::applyInputReport(report, inputs);

    const auto kind =
        (report[1] & 0x01) != 0 ? BoardReport::InputKind::Digital : BoardReport::InputKind::Analog;
    Inputs again = before;
    BoardReport::applyInputReport(BoardReport::inputReport(boardSide(inputs, report), kind), again);
    if (!(again == inputs))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SimBoardWire::FrameReader reader;
    Inputs inputs;
    // Odd chunk sizes, as a socket would deliver them.
    size_t at = 0;
    for (size_t chunk = 1; at < size; chunk = chunk % 7 + 1) {
        const std::span<quint8> space = reader.space();
        if (space.empty())
            return 0; // the stream is broken for good; the reader asks for nothing more
        const size_t n = std::min({space.size(), size - at, chunk});
        std::memcpy(space.data(), data + at, n);
        at += n;
        switch (reader.advance(int(n))) {
        case SimBoardWire::FrameReader::Step::Complete:
            takeReport(reader.report(), inputs);
            break;
        case SimBoardWire::FrameReader::Step::Invalid:
            if (!reader.space().empty())
                std::abort();
            return 0;
        case SimBoardWire::FrameReader::Step::Incomplete:
            break;
        }
    }
    return 0;
}
