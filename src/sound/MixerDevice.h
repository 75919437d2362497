// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// One playback line of the system mixer, in its own raw units.
class MixerDevice {
public:
    struct State {
        long left = 0;
        long right = 0;
        bool switchOn = true; // playback switch: on means audible (always on without one)
        bool operator==(const State&) const = default;
    };
    struct Range {
        long min = 0;
        long max = 0;
    };

    virtual ~MixerDevice() = default;

    // Empty when there is no usable line (no card, no element).
    virtual std::optional<Range> volumeRange() const = 0;
    virtual bool isMono() const = 0;
    virtual bool hasSwitch() const = 0;
    // Takes in the changes other programs made to the line since the last call. Until then
    // read() may answer with the values as they were (ALSA's simple mixer caches them).
    virtual void handleEvents() = 0;
    virtual std::optional<State> read() const = 0;
    virtual bool writeVolume(long left, long right) = 0;
    virtual bool writeSwitch(bool on) = 0;
};
