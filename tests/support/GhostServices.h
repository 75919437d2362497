// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ghosts/Attraction.h"
#include "ghosts/Ghosts.h"

// The ghosts and the attraction a window shows, on the test's platform; nothing is loaded from
// the store unless the test asks, and nothing opens the door.
struct GhostServices {
    GhostServices(ProgramState& state, const PlatformServices& platform,
                  GhostSoundOutput* sound = nullptr)
        : ghosts(state, platform, sound)
        , attraction(state, platform, ghosts, {}) {}

    Ghosts ghosts;
    Attraction attraction;
};
