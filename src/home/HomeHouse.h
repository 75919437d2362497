// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// The home's inputs and door as the program holds them; inputs are 0..8.
struct HomeHouse {
    std::function<void(int input, bool on)> setInput;
    std::function<void(int input)> pressInput;
    std::function<bool(int input)> inputOn;
    std::function<bool()> doorOpen;
};
