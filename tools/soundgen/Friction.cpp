// SPDX-License-Identifier: GPL-3.0-or-later
#include "Friction.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Synth {

namespace {

// One resonance of the wood: a two-pole filter that rings for the mode's decay after each slip.
class ModeResonator {
public:
    explicit ModeResonator(const Mode& mode) {
        const double r = std::pow(0.001, 1.0 / (std::max(mode.decay, 0.001) * rate));
        m_a1 = 2 * r * std::cos(2 * std::numbers::pi * mode.frequency / rate);
        m_a2 = -r * r;
        // Scaled so modes of different decay ring at the gain asked for.
        m_gain = mode.gain * (1 - r);
    }
    double operator()(double x) {
        const double y = m_gain * x + m_a1 * m_y1 + m_a2 * m_y2;
        m_y2 = m_y1;
        m_y1 = y;
        return y;
    }

private:
    double m_a1 = 0, m_a2 = 0, m_gain = 0;
    double m_y1 = 0, m_y2 = 0;
};

} // namespace

Wave slipTrain(double seconds, const Motion& motion, const FrictionBody& body, Rng& rng) {
    const std::size_t n = samples(seconds);
    Wave slips(n, 0.0f);
    // The grip along the surface.
    SmoothNoise surface(rng);
    // A hand never pushes evenly: the speed wavers by a fifth, a few times a second.
    SmoothNoise waver(rng);
    const double grain = std::max(body.grain, 0.05);
    double travelled = 0; // in slips on an even surface
    double load = 0;      // the grip of an even surface is 1
    for (std::size_t i = 0; i < n; ++i) {
        const double t = double(i) / rate;
        const double push = valueAt(motion, t) * (1.0 + 0.2 * waver.at(t / 0.15));
        const double step = std::max(0.0, push) * body.slipsPerSecond / rate;
        travelled += step;
        load += step;
        const double grip = 1.0 + body.roughness * surface.at(travelled / grain);
        if (load < grip)
            continue;
        // The joint lets go of what it held above the friction of sliding, which is never the
        // same twice.
        const double held = rng.range(0.0, 0.3) * grip;
        const double drop = load - held;
        slips[i] = float(drop * (0.35 + 0.65 * std::min(1.0, push)));
        load = held;
    }
    return slips;
}

Wave stickSlip(double seconds, const Motion& motion, const FrictionBody& body, Rng& rng) {
    const Wave slips = slipTrain(seconds, motion, body, rng);
    const std::size_t n = slips.size();
    Wave out(n, 0.0f);
    for (const Mode& mode : body.modes) {
        ModeResonator ring(mode);
        for (std::size_t i = 0; i < n; ++i)
            out[i] += float(ring(slips[i]));
    }
    // The rasp of the surfaces themselves, heard right at each slip.
    Biquad rasp = Biquad::highpass(2500);
    Biquad dull = Biquad::lowpass(7000);
    double scrape = 0;
    const double fade = std::exp(-1.0 / (0.0015 * rate));
    for (std::size_t i = 0; i < n; ++i) {
        scrape = scrape * fade + std::abs(slips[i]);
        out[i] += float(0.02 * scrape * dull(rasp(float(rng.noise()))));
    }
    return out;
}

} // namespace Synth
