#pragma once

#include "sound/MixerDevice.h"

#include <vector>

// A mixer line in memory that records every write.
class FakeMixerDevice : public MixerDevice {
public:
    std::optional<Range> range = Range{0, 65535};
    bool mono = false;
    bool hasSwitch_ = true;
    bool failVolume = false;
    bool failSwitch = false;
    State state{20000, 30000, false};
    std::vector<State> writes;

    std::optional<Range> volumeRange() const override { return range; }
    bool isMono() const override { return mono; }
    bool hasSwitch() const override { return hasSwitch_; }
    std::optional<State> read() const override {
        if (!range)
            return std::nullopt;
        return state;
    }
    bool writeVolume(long left, long right) override {
        if (failVolume)
            return false;
        state.left = left;
        state.right = mono ? left : right;
        writes.push_back(state);
        return true;
    }
    bool writeSwitch(bool on) override {
        if (failSwitch)
            return false;
        state.switchOn = on;
        writes.push_back(state);
        return true;
    }
};
