// SPDX-License-Identifier: GPL-3.0-or-later
#include "Creaks.h"

namespace Synth {

// Wood rings briefly and low; the partials of a panel are not harmonic, which is much of what
// tells a creak from a buzz.
FrictionBody doorWood(double pitch) {
    return {{{380 * pitch, 0.08, 1.0},
             {870 * pitch, 0.06, 0.8},
             {1540 * pitch, 0.05, 0.55},
             {2480 * pitch, 0.035, 0.35},
             {3650 * pitch, 0.025, 0.2}},
            110 * pitch,
            0.45,
            1.5};
}

// Metal on metal grips and lets go hundreds of times a second: a squeal rather than ticks, more
// even than wood but never steady.
FrictionBody hingePin(double pitch) {
    return {{{1150 * pitch, 0.05, 1.0}, {2310 * pitch, 0.04, 0.6}, {3530 * pitch, 0.03, 0.35}},
            420 * pitch,
            0.25,
            4.0};
}

FrictionBody floorboard(double pitch) {
    return {{{150 * pitch, 0.12, 1.0},
             {340 * pitch, 0.09, 0.8},
             {620 * pitch, 0.07, 0.5},
             {1100 * pitch, 0.05, 0.3},
             {1900 * pitch, 0.03, 0.15}},
            45 * pitch,
            0.5,
            1.0};
}

Motion swing(double seconds, double fromSpeed, double toSpeed) {
    return {{0, 0}, {0.12 * seconds, fromSpeed}, {0.8 * seconds, toSpeed}, {seconds, 0}};
}

Wave doorCreak(Rng& rng, double seconds, double fromSpeed, double toSpeed, double pitch) {
    return stickSlip(seconds, swing(seconds, fromSpeed, toSpeed), doorWood(pitch), rng);
}

Wave hingeSqueak(Rng& rng, double seconds, double fromSpeed, double toSpeed, double pitch) {
    return stickSlip(seconds, swing(seconds, fromSpeed, toSpeed), hingePin(pitch), rng);
}

Wave floorCreak(Rng& rng, double seconds, double fromSpeed, double toSpeed, double pitch) {
    return stickSlip(seconds, swing(seconds, fromSpeed, toSpeed), floorboard(pitch), rng);
}

} // namespace Synth
