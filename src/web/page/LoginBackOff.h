// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <chrono>
#include <unordered_map>
#include <vector>

// Failed logins per client address: five failures within a minute make that address wait 30 s
// before it may try again. The table holds a bounded number of addresses, so a flood of clients
// from many addresses costs at most that much memory; when it is full, the address that failed
// longest ago gives way.
class LoginBackOff {
public:
    using Time = std::chrono::steady_clock::time_point;

    static constexpr int FailuresAllowed = 5;
    static constexpr std::chrono::seconds Window{60};
    static constexpr std::chrono::seconds Wait{30};
    static constexpr std::size_t DefaultMaxAddresses = 1024;

    explicit LoginBackOff(std::size_t maxAddresses = DefaultMaxAddresses);

    // Whole seconds (rounded up) until the address may try again; 0 when it may now.
    int secondsToWait(quint32 address, Time now) const;
    void recordFailure(quint32 address, Time now);
    // A good login forgets the address's failures.
    void recordSuccess(quint32 address);

    std::size_t addressCount() const { return m_entries.size(); }

private:
    struct Entry {
        // The failures of the last minute, oldest first; never more than FailuresAllowed.
        std::vector<Time> failures;
        Time waitUntil;
    };

    void makeRoom(Time now);

    std::size_t m_maxAddresses;
    std::unordered_map<quint32, Entry> m_entries;
};
