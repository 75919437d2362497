// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page/LoginBackOff.h"

#include <algorithm>

LoginBackOff::LoginBackOff(std::size_t maxAddresses)
    : m_maxAddresses(std::max<std::size_t>(maxAddresses, 1)) {}

int LoginBackOff::secondsToWait(quint32 address, Time now) const {
    const auto found = m_entries.find(address);
    if (found == m_entries.end() || found->second.waitUntil <= now)
        return 0;
    const auto left = found->second.waitUntil - now;
    return int(std::chrono::ceil<std::chrono::seconds>(left).count());
}

void LoginBackOff::recordFailure(quint32 address, Time now) {
    auto found = m_entries.find(address);
    if (found == m_entries.end()) {
        makeRoom(now);
        found = m_entries.emplace(address, Entry{{}, now}).first;
    }
    Entry& entry = found->second;
    std::erase_if(entry.failures, [now](Time failure) { return now - failure >= Window; });
    entry.failures.push_back(now);
    if (int(entry.failures.size()) >= FailuresAllowed) {
        entry.waitUntil = now + Wait;
        // The wait is the penalty; afterwards the address starts again with five tries.
        entry.failures.clear();
    }
}

void LoginBackOff::recordSuccess(quint32 address) {
    m_entries.erase(address);
}

void LoginBackOff::makeRoom(Time now) {
    if (m_entries.size() < m_maxAddresses)
        return;
    // Entries that no longer count for anything go first.
    std::erase_if(m_entries, [now](const auto& item) {
        const Entry& entry = item.second;
        return entry.waitUntil <= now &&
               (entry.failures.empty() || now - entry.failures.back() >= Window);
    });
    if (m_entries.size() < m_maxAddresses)
        return;
    const auto lastEvent = [](const Entry& entry) {
        return entry.failures.empty() ? entry.waitUntil : entry.failures.back();
    };
    const auto oldest =
        std::min_element(m_entries.begin(), m_entries.end(), [&](const auto& a, const auto& b) {
            return lastEvent(a.second) < lastEvent(b.second);
        });
    m_entries.erase(oldest);
}
