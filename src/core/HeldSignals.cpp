// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HeldSignals.h"

#include <pthread.h>

HeldSignals::HeldSignals(std::initializer_list<int> signalNumbers) {
    sigemptyset(&m_held);
    for (const int signalNumber : signalNumbers)
        sigaddset(&m_held, signalNumber);
    pthread_sigmask(SIG_BLOCK, &m_held, nullptr);
}

void HeldSignals::release() {
    if (!m_holding)
        return;
    m_holding = false;
    pthread_sigmask(SIG_UNBLOCK, &m_held, nullptr);
}
