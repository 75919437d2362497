// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/IntegerText.h"

#include <gtest/gtest.h>

#include <limits>
#include <string_view>

using namespace std::literals;

namespace {

constexpr qint32 Min = std::numeric_limits<qint32>::min();
constexpr qint32 Max = std::numeric_limits<qint32>::max();

TEST(IntegerText, ReadsWhatTheRulesAllow) {
    struct Case {
        const char16_t* text;
        qint32 value;
    };
    const Case cases[] = {
        {u"0", 0},
        {u"8012", 8012},
        {u"  8012", 8012}, // leading blanks are skipped
        {u"+80", 80},
        {u"-80", -80},
        {u" -0", 0},
        {u"0080", 80}, // leading zeros
        {u"2147483647", Max},
        {u"-2147483648", Min}, // the one value a minus reaches beyond the plus side
        {u"000000000000000000002147483647", Max},
        {u"$1F40", 8000},
        {u"$1f40", 8000},
        {u"$0", 0},
        {u"-$10", -16}, // the sign comes before the "$"
        {u"+$10", 16},
        {u"  $A", 10},
        {u"$7FFFFFFF", Max},
        {u"$80000000", Min}, // "$" values use all 32 bits
        {u"$FFFFFFFF", -1},
        {u"-$80000000", Min},
        {u"-$FFFFFFFF", 1},
        {u"$000000000FFFFFFFF", -1},
    };
    for (const Case& c : cases) {
        const std::optional<qint32> value = integerFromText(c.text);
        ASSERT_TRUE(value.has_value()) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(*value, c.value) << QString::fromUtf16(c.text).toStdString();
    }
}

TEST(IntegerText, RefusesEverythingElse) {
    const std::u16string_view cases[] = {
        u""sv,
        u"   "sv,
        u"-"sv,
        u"+"sv,
        u"$"sv,
        u"-$"sv,
        u"80 "sv,  // a trailing blank
        u"80\r"sv, // a trailing line end
        u"\t80"sv, // only blanks are skipped
        u"\n80"sv,
        u"\u00A080"sv, // a no-break space is no blank
        u"8 0"sv,
        u"- 80"sv, // nothing between the sign and the digits
        u"--80"sv,
        u"+-80"sv,
        u"$-10"sv,
        u"$ 10"sv,
        u"0x1F"sv, // "$" is the one hexadecimal form
        u"1F"sv,
        u"$G"sv,
        u"12a"sv,
        u"8012.0"sv,
        u"1e3"sv,
        u"2147483648"sv,  // one past the top
        u"-2147483649"sv, // one past the bottom
        u"99999999999999999999999"sv,
        u"$100000000"sv, // past 32 bits
        u"-$100000000"sv,
        u"\u0661\u0662"sv, // digits of another script
        u"\uFF18\uFF10"sv, // full-width digits
        u"8\0"sv,          // a NUL after the digits
    };
    for (const std::u16string_view text : cases) {
        const QStringView view(text.data(), static_cast<qsizetype>(text.size()));
        EXPECT_FALSE(integerFromText(view).has_value()) << view.toString().toStdString();
    }
}

TEST(IntegerText, ALongTextIsRefusedWithoutReadingPastTheOverflow) {
    const QString digits(1 << 20, QLatin1Char('9'));
    EXPECT_FALSE(integerFromText(digits).has_value());
    const QString zeros = QString(1 << 20, QLatin1Char('0')) + QStringLiteral("7");
    EXPECT_EQ(integerFromText(zeros), 7) << "zeros alone never overflow";
}

TEST(IntegerText, TheMessageQuotesTheTextAsItStands) {
    EXPECT_EQ(notAnIntegerMessage(QStringLiteral(" 80 ")),
              QStringLiteral("' 80 ' is not a valid integer value"));
    EXPECT_EQ(notAnIntegerMessage(QStringLiteral("%1x")),
              QStringLiteral("'%1x' is not a valid integer value"));
    EXPECT_EQ(notAnIntegerMessage(QString()), QStringLiteral("'' is not a valid integer value"));
}

} // namespace
