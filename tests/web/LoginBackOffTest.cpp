// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page/LoginBackOff.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace {

const LoginBackOff::Time Start{};
constexpr quint32 Phone = 0x0A000002;
constexpr quint32 Other = 0x0A000003;

struct BackOffCase {
    std::string name;
    std::vector<std::chrono::milliseconds> failures; // times after Start
    std::chrono::milliseconds askedAt;
    int expectedWait;
};

TEST(LoginBackOff, FiveFailuresWithinAMinuteMakeTheAddressWaitThirtySeconds) {
    const std::vector<BackOffCase> cases = {
        {"four_failures", {0s, 1s, 2s, 3s}, 4s, 0},
        {"fifth_failure", {0s, 1s, 2s, 3s, 4s}, 4s, 30},
        {"rounded_up", {0s, 1s, 2s, 3s, 4s}, 4s + 100ms, 30},
        {"later_in_the_wait", {0s, 1s, 2s, 3s, 4s}, 20s, 14},
        {"last_moment_of_the_wait", {0s, 1s, 2s, 3s, 4s}, 33s + 999ms, 1},
        {"wait_over", {0s, 1s, 2s, 3s, 4s}, 34s, 0},
        {"fifth_within_the_minute", {0s, 10s, 20s, 30s, 59s + 999ms}, 60s, 30},
        {"spread_over_more_than_a_minute", {0s, 10s, 20s, 30s, 60s}, 61s, 0},
        {"old_failures_forgotten", {0s, 1s, 2s, 3s, 70s, 71s, 72s, 73s}, 74s, 0},
        {"after_a_wait_five_new_tries", {0s, 1s, 2s, 3s, 4s, 40s, 41s, 42s, 43s}, 44s, 0},
        {"after_a_wait_fifth_new_failure", {0s, 1s, 2s, 3s, 4s, 40s, 41s, 42s, 43s, 44s}, 45s, 29},
    };
    for (const BackOffCase& c : cases) {
        LoginBackOff backOff;
        for (const std::chrono::milliseconds at : c.failures)
            backOff.recordFailure(Phone, Start + at);
        EXPECT_EQ(backOff.secondsToWait(Phone, Start + c.askedAt), c.expectedWait) << c.name;
        EXPECT_EQ(backOff.secondsToWait(Other, Start + c.askedAt), 0) << c.name;
    }
}

TEST(LoginBackOff, AGoodLoginForgetsTheFailures) {
    LoginBackOff backOff;
    for (int i = 0; i < 4; ++i)
        backOff.recordFailure(Phone, Start + std::chrono::seconds(i));
    backOff.recordSuccess(Phone);
    backOff.recordFailure(Phone, Start + 5s);
    EXPECT_EQ(backOff.secondsToWait(Phone, Start + 5s), 0);
}

TEST(LoginBackOff, TheTableStaysBoundedAndKeepsTheAddressesThatFailedLast) {
    // The global budget out of the way: it would make every address wait here.
    LoginBackOff backOff(4, 1'000'000);
    // Blocked first, then pushed out by newer addresses once the table is full.
    for (int i = 0; i < 5; ++i)
        backOff.recordFailure(Phone, Start + std::chrono::seconds(i));
    ASSERT_EQ(backOff.secondsToWait(Phone, Start + 5s), 29);
    for (quint32 address = 100; address < 1100; ++address) {
        for (int i = 0; i < 5; ++i)
            backOff.recordFailure(address, Start + 10s + std::chrono::milliseconds(address));
        ASSERT_LE(backOff.addressCount(), 4u);
    }
    EXPECT_GT(backOff.secondsToWait(1099, Start + 12s), 0);
    EXPECT_EQ(backOff.secondsToWait(Phone, Start + 12s), 0);
}

TEST(LoginBackOff, ExpiredAddressesMakeRoomBeforeWaitingOnes) {
    LoginBackOff backOff(2);
    for (int i = 0; i < 5; ++i)
        backOff.recordFailure(Phone, Start + 100s);
    backOff.recordFailure(Other, Start);
    // Other's one failure is more than a minute old: it goes, the waiting address stays.
    backOff.recordFailure(7, Start + 110s);
    EXPECT_EQ(backOff.addressCount(), 2u);
    EXPECT_EQ(backOff.secondsToWait(Phone, Start + 110s), 20);
}

} // namespace
