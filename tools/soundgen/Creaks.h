// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Friction.h"

namespace Synth {

// The wood and metal that creak in a home, each a friction body for stickSlip.
FrictionBody doorWood(double pitch = 1.0);   // a door panel on dry hinges: groans and cracks
FrictionBody hingePin(double pitch = 1.0);   // a metal pin in its knuckle: squeals
FrictionBody floorboard(double pitch = 1.0); // a board rubbing its neighbour and a nail

// A push that starts from rest, goes from one speed to another and stops.
Motion swing(double seconds, double fromSpeed, double toSpeed);

Wave doorCreak(Rng& rng, double seconds, double fromSpeed, double toSpeed, double pitch = 1.0);
Wave hingeSqueak(Rng& rng, double seconds, double fromSpeed, double toSpeed, double pitch = 1.0);
Wave floorCreak(Rng& rng, double seconds, double fromSpeed, double toSpeed, double pitch = 1.0);

} // namespace Synth
