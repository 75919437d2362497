// SPDX-License-Identifier: GPL-3.0-or-later
#include "PeakLimiter.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

namespace {

// The gain that puts each sample just at the ceiling, or 1 where it is below.
std::vector<double> neededGains(std::span<const float> wave, double ceiling) {
    std::vector<double> needed(wave.size(), 1.0);
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double level = std::abs(double(wave[i]));
        if (level > ceiling)
            needed[i] = ceiling / level;
    }
    return needed;
}

// Slot j holds the smallest need among samples j - (span - 1) .. j. There are span - 1 slots
// more than samples, so the slots that look ahead over the first samples exist too.
std::vector<double> lowestAhead(const std::vector<double>& needed, std::size_t span) {
    const std::size_t lead = span - 1;
    std::vector<double> lowest(needed.size() + lead);
    std::deque<std::size_t> candidates; // sample indices, their needs rising from the front
    for (std::size_t j = 0; j < lowest.size(); ++j) {
        if (j < needed.size()) {
            while (!candidates.empty() && needed[candidates.back()] >= needed[j])
                candidates.pop_back();
            candidates.push_back(j);
        }
        while (candidates.front() + lead < j)
            candidates.pop_front();
        lowest[j] = needed[candidates.front()];
    }
    return lowest;
}

} // namespace

void PeakLimiter::limit(std::span<float> wave, double ceiling, int sampleRate) {
    const std::vector<double> needed = neededGains(wave, ceiling);
    if (std::all_of(needed.begin(), needed.end(), [](double g) { return g == 1.0; }))
        return;

    const std::size_t span = std::max<std::size_t>(1, std::size_t(lookahead * sampleRate));
    std::vector<double> slots = lowestAhead(needed, span);
    // The gain may climb back no faster than a one-pole rise towards 1. This only ever lowers a
    // slot, so every peak stays covered.
    const double keep = std::exp(-1.0 / (release * sampleRate));
    double previous = 1.0;
    for (double& g : slots) {
        g = std::min(g, 1.0 - (1.0 - previous) * keep);
        previous = g;
    }
    // Sample i takes the mean of slots i .. i + span - 1, each of which looked ahead over it:
    // the mean never asks for more than the sample needs, and a step down in the slots becomes a
    // straight fall over one span. The running sum strays by a few ulps over a long sound; the
    // hair of headroom keeps the promise exact.
    constexpr double headroom = 1.0 - 1e-12;
    double sum = 0;
    for (std::size_t j = 0; j < slots.size(); ++j) {
        sum += slots[j];
        if (j >= span)
            sum -= slots[j - span];
        if (j + 1 >= span) {
            const std::size_t i = j + 1 - span;
            wave[i] = float(wave[i] * std::min(1.0, sum / double(span) * headroom));
        }
    }
}
