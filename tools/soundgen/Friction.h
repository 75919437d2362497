// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Synth.h"

#include <vector>

namespace Synth {

// How fast the moving part goes over time, speed 1 the fastest push of the sound.
using Motion = Curve;

// A piece of wood held by friction: the resonances a slip rings and how irregular its surface is.
struct FrictionBody {
    std::vector<Mode> modes;
    double slipsPerSecond; // at speed 1 on an even surface: sets the creak's pitch
    double roughness;      // 0 even, 0.5 a dry worn hinge: how far each grip differs
    double grain;          // how far the part moves between two different grips, in slips
};

// A creak by stick-slip friction: the moving part loads the joint until its grip fails, slips at
// once and grips again. A slow push gives single ticks, a steady one a groan whose pitch follows
// the speed, and the grip strength varies along the surface, so the same spot of a hinge sticks
// the same way however fast it passes.
Wave stickSlip(double seconds, const Motion& motion, const FrictionBody& body, Rng& rng);
// The slips alone, before they ring the wood: zero but where the grip gives, and there the force
// it let go.
Wave slipTrain(double seconds, const Motion& motion, const FrictionBody& body, Rng& rng);

} // namespace Synth
