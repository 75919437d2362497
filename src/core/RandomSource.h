// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <random>

class Clock;

// The program's one pseudo-random generator. Random(n) gives a uniform integer 0..n-1 (0 when n
// is below 1); Randomize re-seeds it from the clock.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual int Random(int n) = 0;
    virtual void Randomize() = 0;
};

class ClockSeededRandom : public RandomSource {
public:
    explicit ClockSeededRandom(const Clock& clock);
    int Random(int n) override;
    void Randomize() override;

private:
    const Clock& m_clock;
    std::mt19937 m_engine;
};
