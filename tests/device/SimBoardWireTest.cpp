// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/SimBoardWire.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using SimBoardWire::FrameReader;
using SimBoardWire::SocketName;

TEST(SimBoardWire, SocketNamesCarryTheIdsAndSlot) {
    struct Case {
        SocketName name;
        const char* file;
    };
    const Case cases[] = {
        {{0xABCC, 1, 1}, "board-abcc-0001-1.sock"},
        {{0xABCC, 10, 2}, "board-abcc-000a-2.sock"},
        {{0x0000, 0xFFFF, 9999}, "board-0000-ffff-9999.sock"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SimBoardWire::socketFileName(c.name), QLatin1String(c.file));
        EXPECT_EQ(SimBoardWire::parseSocketFileName(QLatin1String(c.file)), c.name) << c.file;
    }
}

TEST(SimBoardWire, OtherFileNamesAreNoBoards) {
    const char* files[] = {
        "board-ABCC-0001-1.sock",
        "board-abcc-1-1.sock",
        "board-abcc-0001-0.sock",
        "board-abcc-0001-1",
        "board-abcc-0001-1.sock.x",
        "xboard-abcc-0001-1.sock",
        "board-abcc-0001-.sock",
        "board-abcc-0001-10000.sock",
        ".board-slots.lock",
        "board-abcc-0001-01.sock",
        "",
    };
    for (const char* file : files)
        EXPECT_FALSE(SimBoardWire::parseSocketFileName(QLatin1String(file))) << file;
}

struct Cut {
    std::vector<std::vector<quint8>> reports;
    bool invalid = false;
};

// Feeds the stream in pieces of at most `chunk` bytes, as a socket might deliver it.
Cut cut(const std::vector<quint8>& stream, size_t chunk) {
    FrameReader reader;
    Cut result;
    size_t at = 0;
    while (at < stream.size()) {
        const std::span<quint8> space = reader.space();
        if (space.empty())
            break;
        const size_t n = std::min({space.size(), stream.size() - at, chunk});
        std::copy_n(stream.begin() + long(at), n, space.begin());
        at += n;
        const FrameReader::Step step = reader.advance(int(n));
        if (step == FrameReader::Step::Complete)
            result.reports.emplace_back(reader.report().begin(), reader.report().end());
        if (step == FrameReader::Step::Invalid)
            result.invalid = true;
    }
    return result;
}

TEST(SimBoardWire, TheStreamIsCutIntoReportsOrFoundBroken) {
    std::vector<quint8> longest(65, 7);
    longest[0] = 64;
    std::vector<quint8> tooLong(66, 7);
    tooLong[0] = 65;
    struct Case {
        const char* what;
        std::vector<quint8> stream;
        std::vector<std::vector<quint8>> reports;
        bool invalid;
    };
    const std::vector<Case> cases = {
        {"one report", {3, 0, 1, 2}, {{0, 1, 2}}, false},
        {"two reports", {2, 0, 9, 1, 0}, {{0, 9}, {0}}, false},
        {"half a report", {9, 0, 1, 2}, {}, false},
        {"the longest report", longest, {std::vector<quint8>(64, 7)}, false},
        {"a length above 64", tooLong, {}, true},
        {"a zero length after a report", {1, 5, 0, 1, 2}, {{5}}, true},
        {"the huge length byte", {0xFF, 1, 2, 3}, {}, true},
    };
    for (const Case& c : cases) {
        for (size_t chunk : {size_t(1), size_t(3), size_t(1000)}) {
            const Cut result = cut(c.stream, chunk);
            EXPECT_EQ(result.reports, c.reports) << c.what << ", chunk " << chunk;
            EXPECT_EQ(result.invalid, c.invalid) << c.what << ", chunk " << chunk;
        }
    }
}

TEST(SimBoardWire, FramingRefusesEmptyAndOverlongReports) {
    const std::vector<quint8> empty;
    const std::vector<quint8> longest(64, 1);
    const std::vector<quint8> tooLong(65, 1);
    EXPECT_FALSE(SimBoardWire::frame(empty));
    EXPECT_FALSE(SimBoardWire::frame(tooLong));
    const auto framed = SimBoardWire::frame(longest);
    ASSERT_TRUE(framed);
    EXPECT_EQ((*framed)[0], 64);
    EXPECT_EQ((*framed)[64], 1);
}

} // namespace
