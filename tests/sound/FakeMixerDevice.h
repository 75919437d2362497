// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/MixerDevice.h"

#include <utility>
#include <vector>

// A mixer line in memory that records every write. Like ALSA's simple mixer it answers reads
// from what it last heard: a change made by another program is seen only after handleEvents().
class FakeMixerDevice : public MixerDevice {
public:
    std::optional<Range> range = Range{0, 65535};
    bool mono = false;
    bool hasSwitch_ = true;
    bool failVolume = false;
    bool failSwitch = false;
    State state{20000, 30000, false}; // what the sound card holds
    std::vector<State> writes;
    std::vector<std::pair<long, long>> volumeCalls; // the arguments of writeVolume, as given

    void changeByAnotherProgram(const State& changed) { state = changed; }

    std::optional<Range> volumeRange() const override { return range; }
    bool isMono() const override { return mono; }
    bool hasSwitch() const override { return hasSwitch_; }
    void handleEvents() override { m_heard = state; }
    std::optional<State> read() const override {
        if (!range)
            return std::nullopt;
        State seen = m_heard;
        if (mono)
            seen.right = seen.left; // one channel, read as both
        return seen;
    }
    bool writeVolume(long left, long right) override {
        volumeCalls.emplace_back(left, right);
        if (failVolume)
            return false;
        // A mono line has one channel: only the left level reaches it.
        state.left = left;
        state.right = mono ? left : right;
        m_heard.left = state.left;
        m_heard.right = state.right;
        writes.push_back(state);
        return true;
    }
    bool writeSwitch(bool on) override {
        if (failSwitch)
            return false;
        state.switchOn = on;
        m_heard.switchOn = on;
        writes.push_back(state);
        return true;
    }

private:
    State m_heard = state;
};
