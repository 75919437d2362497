// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StoreRefusal.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct RefusalCase {
    std::string name;
    StoreLock::Outcome outcome;
    Language language;
    const char16_t* text; // empty: the program goes on
};

class StoreRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(StoreRefusal, OnlyAProgramHoldingTheSettingsAloneStopsAWindowedOne) {
    const RefusalCase& c = GetParam();
    EXPECT_EQ(storeRefusal(c.outcome, QStringLiteral("pid 1234 (gloameryd)"), c.language),
              QString::fromUtf16(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoreRefusal,
    testing::Values(
        RefusalCase{"held", StoreLock::Outcome::Held, Language::English, u""},
        RefusalCase{"unusable_lock_file", StoreLock::Outcome::Unusable, Language::Russian, u""},
        RefusalCase{"taken_english", StoreLock::Outcome::TakenByOther, Language::English,
                    u"Gloamery is already running without a window (pid 1234 (gloameryd)) and "
                    u"uses these settings. Stop it first: systemctl --user stop gloameryd"},
        RefusalCase{"taken_russian", StoreLock::Outcome::TakenByOther, Language::Russian,
                    u"Gloamery уже работает без окна (pid 1234 (gloameryd)) и использует эти "
                    u"настройки. Сначала остановите его: systemctl --user stop gloameryd"}),
    [](const testing::TestParamInfo<RefusalCase>& param) { return param.param.name; });

} // namespace
