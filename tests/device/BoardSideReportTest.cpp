// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/BoardReport.h"

#include <gtest/gtest.h>

namespace {

using BoardReport::BoardInputs;
using BoardReport::Bytes;
using BoardReport::InputKind;
using BoardReport::Inputs;

BoardInputs boardWith(std::array<quint8, 7> analog, std::array<bool, 9> digital, quint16 count,
                      bool input10) {
    BoardInputs board;
    board.AInputs = analog;
    board.DInputs = digital;
    board.FrequencyCount = count;
    board.Input10 = input10;
    return board;
}

TEST(BoardSideReport, TheHostReadsBackWhatTheBoardSends) {
    const BoardInputs cases[] = {
        boardWith({}, {}, 0, false),
        boardWith({0x00, 0x1F, 0x80, 0xFF, 0x10, 0x20, 0x30},
                  {true, false, true, false, false, true, false, true, false}, 1000, true),
        boardWith({1, 2, 3, 4, 5, 6, 7}, {false, true, false, true, true, false, true, false, true},
                  0xFFFF, false),
        boardWith({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
                  {true, true, true, true, true, true, true, true, true}, 0x8001, true),
        boardWith({}, {false, false, false, false, false, false, false, false, true}, 0x00FF,
                  false),
    };
    for (const BoardInputs& board : cases) {
        Inputs host;
        // Values the reports must overwrite, so a field left out shows.
        host.AInputs.fill(0x5A);
        host.DInputs.fill(true);
        host.DInputs[8] = !board.DInputs[8];
        host.Input10 = !board.Input10;
        host.Frequency = -1;
        BoardReport::applyInputReport(BoardReport::inputReport(board, InputKind::Digital), host);
        BoardReport::applyInputReport(BoardReport::inputReport(board, InputKind::Analog), host);
        EXPECT_EQ(host.AInputs, board.AInputs);
        EXPECT_EQ(host.DInputs, board.DInputs);
        EXPECT_EQ(host.Input10, board.Input10);
        EXPECT_DOUBLE_EQ(host.Frequency, board.FrequencyCount / BoardReport::FrequencyDivisor);
    }
}

TEST(BoardSideReport, BytesMatchTheDocumentedReports) {
    const BoardInputs board =
        boardWith({0x11, 0x22, 0x33, 0x10, 0x20, 0x30, 0x40},
                  {true, false, true, false, false, true, false, true, true}, 1000, true);
    struct Case {
        InputKind kind;
        Bytes bytes;
    };
    const Case cases[] = {
        {InputKind::Digital, {0x00, 0x01, 0xA5, 0x10, 0x20, 0x30, 0x40, 0xE8, 0x03}},
        {InputKind::Analog, {0x00, 0x00, 0x00, 0x11, 0x22, 0x33, 0x06, 0x00, 0x00}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BoardReport::inputReport(board, c.kind), c.bytes) << int(c.kind);
}

TEST(BoardSideReport, TheBoardSwitchesExactlyTheOutputsTheHostAskedFor) {
    // Every combination of the eight outputs, through the host's report and back.
    for (int combination = 0; combination < 256; ++combination) {
        BoardReport::Requests requests{};
        BoardReport::Outputs expected{};
        for (size_t output = 0; output < BoardReport::BoardOutputs; ++output) {
            expected[output] = (combination >> output & 1) != 0;
            requests[output] = expected[output] ? 1 : 0;
        }
        EXPECT_EQ(BoardReport::boardOutputs(BoardReport::outputReport(requests)), expected)
            << combination;
    }
}

} // namespace
