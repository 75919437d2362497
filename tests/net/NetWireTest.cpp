// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetWire.h"

#include <QList>

#include <gtest/gtest.h>

namespace {

TEST(NetWire, ExtractFieldCountsFromOneAndGivesEmptyPastTheEnd) {
    const QByteArray line("login\x01name\x01pass\r");
    const std::vector<std::pair<int, QByteArray>> cases = {{1, "login"}, {2, "name"}, {3, "pass\r"},
                                                           {4, ""},      {0, ""},     {-1, ""}};
    for (const auto& [n, expected] : cases)
        EXPECT_EQ(NetWire::ExtractField('\x01', n, line), expected) << "field " << n;

    const QByteArray gaps("\x01\x01x\x01");
    const std::vector<std::pair<int, QByteArray>> gapCases = {
        {1, ""}, {2, ""}, {3, "x"}, {4, ""}, {5, ""}};
    for (const auto& [n, expected] : gapCases)
        EXPECT_EQ(NetWire::ExtractField('\x01', n, gaps), expected) << "field " << n;
    EXPECT_EQ(NetWire::ExtractField('\x01', 1, QByteArrayView()), "");
}

TEST(NetWire, MessagesAreTheWordTheFieldsAfterSohAndLf) {
    EXPECT_EQ(NetWire::message("AcsessDeny"), "AcsessDeny\n");
    EXPECT_EQ(NetWire::message("Privilege", {"3", "1"}), "Privilege\x01"
                                                         "3\x01"
                                                         "1\n");
    EXPECT_EQ(NetWire::message("Logged", {""}), "Logged\x01\n");
}

TEST(NetWire, UserVariablesHoldsTheFixedHundredAndSixtyValues) {
    const QByteArray line = NetWire::userVariables();
    ASSERT_TRUE(line.endsWith('\n'));
    const QList<QByteArray> fields = line.chopped(1).split('\x01');
    ASSERT_EQ(fields.size(), 161);
    EXPECT_EQ(fields[0], "UserVariables");
    for (int n = 1; n <= 160; ++n) {
        QByteArray expected = QByteArray::number(n);
        if (n == 5 || n == 10)
            expected = "0";
        else if (n >= 12 && n <= 20)
            expected = "";
        EXPECT_EQ(fields[n], expected) << "value " << n;
    }
    EXPECT_TRUE(line.startsWith("UserVariables\x01"
                                "1\x01"
                                "2\x01"
                                "3\x01"
                                "4\x01"
                                "0\x01"
                                "6\x01"));
    EXPECT_TRUE(line.contains("\x01"
                              "11\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01"
                              "21\x01"));
}

} // namespace
