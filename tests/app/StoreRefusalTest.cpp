// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StoreRefusal.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using Outcome = StoreLock::Outcome;
class StoreRefusal : public testing::TestWithParam<std::tuple<Outcome, Language, const char16_t*>> {
};

TEST_P(StoreRefusal, OnlyAProgramHoldingTheSettingsAloneStopsAWindowedOne) {
    const auto [outcome, language, text] = GetParam();
    EXPECT_EQ(storeRefusal(outcome, QStringLiteral("pid 1234 (gloameryd)"), language),
              QString::fromUtf16(text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoreRefusal,
    testing::Values(
        std::tuple{Outcome::Held, Language::English, u""},
        std::tuple{Outcome::Unusable, Language::Russian, u""},
        std::tuple{Outcome::TakenByOther, Language::English,
                   u"Gloamery is already running without a window (pid 1234 (gloameryd)) and uses "
                   u"these settings. Stop it first: systemctl --user stop gloameryd"},
        std::tuple{Outcome::TakenByOther, Language::Russian,
                   u"Gloamery уже работает без окна (pid 1234 (gloameryd)) и использует эти "
                   u"настройки. Сначала остановите его: systemctl --user stop gloameryd"}));

} // namespace
