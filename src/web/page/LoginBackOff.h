// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <chrono>
#include <deque>
#include <unordered_map>
#include <vector>

// Failed logins per client address: five failures within a minute make that address wait 30 s
// before it may try again. The table holds a bounded number of addresses, so a flood of clients
// from many addresses costs at most that much memory; when it is full, the address that failed
// longest ago gives way.
//
// On top of that, a budget for all addresses together: 20 failures at once, then one more every
// 3 s, so guessing from many addresses gains nothing over guessing from a few. While the budget
// is spent every address waits, except the last few that signed in: a phone that knows its
// password is not locked out by strangers guessing.
class LoginBackOff {
public:
    using Time = std::chrono::steady_clock::time_point;

    static constexpr int FailuresAllowed = 5;
    static constexpr std::chrono::seconds Window{60};
    static constexpr std::chrono::seconds Wait{30};
    static constexpr std::size_t DefaultMaxAddresses = 1024;
    static constexpr int DefaultGlobalFailuresAllowed = 20;
    static constexpr std::chrono::seconds GlobalRefill{3};
    static constexpr std::size_t TrustedAddresses = 16;

    explicit LoginBackOff(std::size_t maxAddresses = DefaultMaxAddresses,
                          int globalFailuresAllowed = DefaultGlobalFailuresAllowed);

    // Whole seconds (rounded up) until the address may try again; 0 when it may now.
    int secondsToWait(quint32 address, Time now) const;
    void recordFailure(quint32 address, Time now);
    // A good login forgets the address's failures and spares it the global budget's wait.
    void recordSuccess(quint32 address);

    std::size_t addressCount() const { return m_entries.size(); }

private:
    struct Entry {
        // The failures of the last minute, oldest first; never more than FailuresAllowed.
        std::vector<Time> failures;
        Time waitUntil;
    };

    void makeRoom(Time now);
    std::chrono::steady_clock::duration globalWait(Time now) const;
    bool isTrusted(quint32 address) const;

    std::size_t m_maxAddresses;
    int m_globalFailuresAllowed;
    std::unordered_map<quint32, Entry> m_entries;
    // When the global budget would be whole again: each failure moves it one refill later.
    Time m_budgetSpentUntil{};
    // The addresses that signed in last, newest first.
    std::deque<quint32> m_trusted;
};
