// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/BoardReport.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

using BoardReport::Bytes;
using BoardReport::Inputs;
using BoardReport::Requests;

Requests requestsOn(std::initializer_list<int> outputs) {
    Requests requests{};
    for (int output : outputs)
        requests[static_cast<size_t>(output)] = 1;
    return requests;
}

// Inputs far from their start values, so a field a report must not touch shows if it was.
Inputs sentinelInputs() {
    Inputs inputs;
    inputs.AInputs.fill(0x77);
    inputs.DInputs = {false, true, false, true, true, false, true, false, false};
    inputs.Frequency = 42.5;
    inputs.Input10 = false;
    return inputs;
}

TEST(BoardReport, OutputsMapToTheirBitsOfByteTwo) {
    struct Case {
        std::initializer_list<int> on;
        quint8 byte2;
    };
    const Case cases[] = {
        {{}, 0x00},
        {{0}, 0x01},
        {{1}, 0x02},
        {{2}, 0x20},
        {{3}, 0x40},
        {{4}, 0x80},
        {{5}, 0x04},
        {{6}, 0x08},
        {{7}, 0x10},
        {{0, 2, 5}, 0x25},
        {{0, 1, 2, 3, 4, 5, 6, 7}, 0xFF},
        // Requests 8 to 12 stay in the host.
        {{8, 9, 10, 11, 12}, 0x00},
        {{0, 12}, 0x01},
    };
    for (const Case& c : cases) {
        const Bytes report = BoardReport::outputReport(requestsOn(c.on));
        Bytes expected{};
        expected[2] = c.byte2;
        EXPECT_EQ(report, expected) << "byte 2 should be " << int(c.byte2);
    }
}

TEST(BoardReport, AnyNonZeroRequestIsOn) {
    Requests requests{};
    requests[3] = 0xFF;
    requests[6] = 0x02;
    EXPECT_EQ(BoardReport::outputReport(requests)[2], 0x48);
}

TEST(BoardReport, ADigitalReportLeavesTheAnalogKindAsItWas) {
    Inputs inputs = sentinelInputs();
    inputs.Input10 = true;
    BoardReport::applyInputReport({0x00, 0x01, 0xA5, 0x10, 0x20, 0x30, 0x40, 0xE8, 0x03}, inputs);
    const bool digital[] = {true, false, true, false, false, true, false, true};
    for (size_t k = 0; k < 8; ++k)
        EXPECT_EQ(inputs.DInputs[k], digital[k]) << "DInputs " << k;
    EXPECT_EQ(inputs.AInputs[3], 0x10);
    EXPECT_EQ(inputs.AInputs[4], 0x20);
    EXPECT_EQ(inputs.AInputs[5], 0x30);
    EXPECT_EQ(inputs.AInputs[6], 0x40);
    EXPECT_NEAR(inputs.Frequency, 357.78, 0.005);
    for (size_t k = 0; k <= 2; ++k)
        EXPECT_EQ(inputs.AInputs[k], 0x77) << "AInputs " << k << " belongs to the other kind";
    EXPECT_FALSE(inputs.DInputs[8]) << "DInputs 8 belongs to the other kind";
    EXPECT_TRUE(inputs.Input10) << "input 10 belongs to the other kind";
}

TEST(BoardReport, AnAnalogReportLeavesTheDigitalKindAsItWas) {
    Inputs inputs = sentinelInputs();
    const Inputs before = inputs;
    BoardReport::applyInputReport({0x00, 0x00, 0xFF, 0x11, 0x22, 0x33, 0x06, 0xFF, 0xFF}, inputs);
    EXPECT_EQ(inputs.AInputs[0], 0x11);
    EXPECT_EQ(inputs.AInputs[1], 0x22);
    EXPECT_EQ(inputs.AInputs[2], 0x33);
    EXPECT_TRUE(inputs.DInputs[8]);
    EXPECT_TRUE(inputs.Input10);
    for (size_t k = 0; k < 8; ++k)
        EXPECT_EQ(inputs.DInputs[k], before.DInputs[k]) << "DInputs " << k;
    for (size_t k = 3; k <= 6; ++k)
        EXPECT_EQ(inputs.AInputs[k], 0x77) << "AInputs " << k;
    EXPECT_EQ(inputs.Frequency, 42.5);
}

TEST(BoardReport, OnlyBitZeroOfByteOneTellsTheKindAndOnlyItsBitsOfByteSixCount) {
    struct Case {
        quint8 byte1;
        quint8 byte6;
        bool digitalKind;
        bool input8;
        bool input10;
    };
    const Case cases[] = {
        {0xFE, 0x00, false, false, false}, {0x03, 0x00, true, false, false},
        {0x00, 0xF9, false, false, false}, {0x00, 0x02, false, true, false},
        {0x00, 0x04, false, false, true},
    };
    for (const Case& c : cases) {
        Inputs inputs;
        BoardReport::applyInputReport({0x00, c.byte1, 0x01, 0x05, 0x05, 0x05, c.byte6, 0x00, 0x00},
                                      inputs);
        EXPECT_EQ(inputs.DInputs[0], c.digitalKind) << int(c.byte1);
        EXPECT_EQ(inputs.AInputs[0], c.digitalKind ? 0 : 5) << int(c.byte1);
        EXPECT_EQ(inputs.DInputs[8], c.input8) << int(c.byte6);
        EXPECT_EQ(inputs.Input10, c.input10) << int(c.byte6);
    }
}

TEST(BoardReport, TheFrequencyCountIsUnsigned) {
    struct Case {
        quint8 low;
        quint8 high;
        double frequency;
    };
    const Case cases[] = {{0x00, 0x00, 0.0},
                          {0xE8, 0x03, 1000 / 2.795},
                          {0xFF, 0xFF, 65535 / 2.795},
                          {0x00, 0x80, 32768 / 2.795}};
    for (const Case& c : cases) {
        Inputs inputs;
        BoardReport::applyInputReport({0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, c.low, c.high},
                                      inputs);
        EXPECT_DOUBLE_EQ(inputs.Frequency, c.frequency) << int(c.low) << " " << int(c.high);
    }
}

} // namespace
