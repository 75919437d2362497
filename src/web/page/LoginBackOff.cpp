// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page/LoginBackOff.h"

#include <algorithm>

LoginBackOff::LoginBackOff(std::size_t maxAddresses, int globalFailuresAllowed)
    : m_maxAddresses(std::max<std::size_t>(maxAddresses, 1))
    , m_globalFailuresAllowed(std::max(globalFailuresAllowed, 1)) {}

int LoginBackOff::secondsToWait(quint32 address, Time now) const {
    std::chrono::steady_clock::duration left{};
    if (const auto found = m_entries.find(address); found != m_entries.end())
        left = found->second.waitUntil - now;
    if (!isTrusted(address))
        left = std::max(left, globalWait(now));
    return left > left.zero() ? int(std::chrono::ceil<std::chrono::seconds>(left).count()) : 0;
}

std::chrono::steady_clock::duration LoginBackOff::globalWait(Time now) const {
    // The budget is spent while not even one failure fits before it would be whole again.
    return m_budgetSpentUntil - now - (m_globalFailuresAllowed - 1) * GlobalRefill;
}

bool LoginBackOff::isTrusted(quint32 address) const {
    return std::find(m_trusted.begin(), m_trusted.end(), address) != m_trusted.end();
}

void LoginBackOff::recordFailure(quint32 address, Time now) {
    m_budgetSpentUntil = std::max(m_budgetSpentUntil, now) + GlobalRefill;
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
    std::erase(m_trusted, address);
    m_trusted.push_front(address);
    if (m_trusted.size() > TrustedAddresses)
        m_trusted.pop_back();
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
