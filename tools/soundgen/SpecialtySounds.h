// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Synth.h"

#include <cstdint>
#include <string>
#include <vector>

// The ten sounds of each library Gloamery ships, synthesised: specialty 0 (ghostly voices),
// 1 doorman, 2 electrician, 3 plumber, 4 postman, 5 pedestrian; long ("b") or short ("m").
class SpecialtySounds {
public:
    static constexpr int sampleRate = Synth::rate;
    static constexpr int specialties = 6;
    static constexpr int soundsPerLibrary = 10;

    struct Sound {
        std::string description;
        std::vector<std::int16_t> samples; // 16-bit mono at sampleRate
    };

    static std::vector<Sound> make(int specialty, bool longSounds);
};
