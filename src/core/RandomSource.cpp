// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/RandomSource.h"

#include "core/Clock.h"

#include <chrono>

ClockSeededRandom::ClockSeededRandom(const Clock& clock)
    : m_clock(clock) {
    Randomize();
}

int ClockSeededRandom::Random(int n) {
    if (n < 1)
        return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(m_engine);
}

void ClockSeededRandom::Randomize() {
    // Milliseconds of the wall clock mixed with a steady microsecond count: two re-seeds within
    // one second (or one millisecond) still start different sequences.
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::steady_clock::now().time_since_epoch())
                            .count();
    std::seed_seq seed{static_cast<unsigned>(m_clock.now().toMSecsSinceEpoch()),
                       static_cast<unsigned>(micros), static_cast<unsigned>(micros >> 32)};
    m_engine.seed(seed);
}
