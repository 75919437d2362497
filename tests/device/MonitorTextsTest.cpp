// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/MonitorTexts.h"

#include <gtest/gtest.h>

namespace {

TEST(MonitorTexts, AnalogInputsAsUppercaseHexPairs) {
    EXPECT_EQ(MonitorTexts::analogInputs({0x00, 0x1F, 0x80, 0xFF, 0x10, 0x20, 0x30}),
              "00 1F 80 FF 10 20 30");
    EXPECT_EQ(MonitorTexts::analogInputs({}), "00 00 00 00 00 00 00");
}

TEST(MonitorTexts, FrequencyWithTwoDecimals) {
    struct Case {
        double value;
        const char* separator;
        const char* text;
    };
    const Case cases[] = {
        {1000 / 2.795, ".", "357.78"},    {0, ".", "0.00"},
        {65535 / 2.795, ",", "23447,23"}, {1 / 2.795, ",", "0,36"},
        {2.795 / 2.795, ".", "1.00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MonitorTexts::frequency(c.value, QString::fromLatin1(c.separator)), c.text);
}

TEST(MonitorTexts, PageCaptionsRunFromOneToTenInHex) {
    EXPECT_EQ(MonitorTexts::pageCaption(1), "PID: 0001");
    EXPECT_EQ(MonitorTexts::pageCaption(3), "PID: 0003");
    EXPECT_EQ(MonitorTexts::pageCaption(10), "PID: 000A");
}

} // namespace
