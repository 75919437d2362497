// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Synth.h"

namespace Synth {

// Where in the home a sound happens, heard from the room the listener sits in.
struct Room {
    double distance; // 0 beside the listener, 1 a room or two away
    double wet;      // share of reflected sound at distance 0; distance adds to it
    double tail;     // seconds for the reverberation to fall by 60 dB
    double size;     // 1 an ordinary room; the early reflections spread with it
};

// Early reflections off the walls close by, then a diffuse tail, so the sound seems to come
// from somewhere in the home rather than from inside the speaker. Farther sounds lose their
// highs and more of them arrives by way of the walls. The wave grows by the audible part of the
// tail.
void placeInRoom(Wave& wave, const Room& room);

} // namespace Synth
