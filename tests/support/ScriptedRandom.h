// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/RandomSource.h"

#include <deque>
#include <stdexcept>
#include <vector>

// Gives the draws a test scripts, in order, and records what was asked for.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::deque<int> draws = {})
        : m_draws(std::move(draws)) {}

    int Random(int n) override {
        asked.push_back(n);
        if (m_draws.empty())
            throw std::logic_error("an unscripted draw");
        const int draw = m_draws.front();
        m_draws.pop_front();
        if (draw < 0 || draw >= n)
            throw std::logic_error("a scripted draw out of range");
        return draw;
    }
    void Randomize() override { ++reseeds; }

    void script(std::deque<int> draws) { m_draws = std::move(draws); }
    bool allUsed() const { return m_draws.empty(); }

    std::vector<int> asked;
    int reseeds = 0;

private:
    std::deque<int> m_draws;
};
