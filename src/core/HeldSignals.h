// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <signal.h>

// Holds signals back from the first line of main until the program can hear them: a signal
// that comes while the libraries load waits, instead of ending the program with nothing saved
// and no word. Threads started meanwhile keep them held, so they reach the main thread.
class HeldSignals {
public:
    explicit HeldSignals(std::initializer_list<int> signalNumbers);
    // Lets them through on this thread, those already sent first; idempotent.
    void release();
    ~HeldSignals() { release(); }
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

private:
    sigset_t m_held;
    bool m_holding = true;
};
