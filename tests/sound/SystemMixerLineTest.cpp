// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SystemMixerLine.h"

#include "FakeMixerDevice.h"

#include <gtest/gtest.h>

namespace {

TEST(SystemMixerLine, ScalesOntoTheDeviceRangeAndUnmutes) {
    struct Case {
        MixerDevice::Range range;
        bool mono;
        quint16 left;
        quint16 right;
        MixerDevice::State expected;
    };
    const Case cases[] = {
        {{0, 65535}, false, 32767, 0, {32767, 0, true}},
        {{0, 87}, false, 65535, 32767, {87, 43, true}},
        {{-100, 100}, false, 0, 65535, {-100, 100, true}},
        {{0, 255}, true, 65535, 0, {255, 255, true}}, // mono takes the left level
    };
    for (const Case& c : cases) {
        FakeMixerDevice device;
        device.range = c.range;
        device.mono = c.mono;
        SystemMixerLine line(&device);
        EXPECT_TRUE(line.setLevels(c.left, c.right));
        EXPECT_EQ(device.state, c.expected) << c.range.max;
        ASSERT_EQ(device.volumeCalls.size(), 1u);
        EXPECT_EQ(device.volumeCalls[0], std::make_pair(c.expected.left, c.expected.right))
            << "the level asked of the device is the level it will report";
        EXPECT_TRUE(line.lastError().isEmpty());
    }
}

TEST(SystemMixerLine, KeepsTheErrorOfTheCallThatFailed) {
    struct Case {
        bool failVolume;
        bool failSwitch;
        const char* error;
    };
    const Case cases[] = {{true, false, "Volume SetControlError in Mixer"},
                          {false, true, "Mute SetControlError in Mixer"}};
    for (const Case& c : cases) {
        FakeMixerDevice device;
        device.failVolume = c.failVolume;
        device.failSwitch = c.failSwitch;
        SystemMixerLine line(&device);
        EXPECT_FALSE(line.setLevels(100, 100));
        EXPECT_EQ(line.lastError(), QLatin1String(c.error));
    }
}

TEST(SystemMixerLine, WithoutALineNothingHappens) {
    FakeMixerDevice device;
    device.range.reset();
    SystemMixerLine line(&device);
    EXPECT_FALSE(line.setLevels(1, 1));
    EXPECT_TRUE(device.writes.empty());
    SystemMixerLine none(nullptr);
    EXPECT_FALSE(none.setLevels(1, 1));
}

TEST(SystemMixerLine, GivesTheUsersLevelsBackAtTheEnd) {
    for (const bool mono : {false, true}) {
        FakeMixerDevice device; // the user's: 20000/30000, muted
        device.mono = mono;
        {
            SystemMixerLine line(&device);
            line.setLevels(32767, 0);
            line.setLevels(0, 0); // a sweep ended in silence
            line.setLevels(0, 32767);
        }
        EXPECT_EQ(device.state.left, 20000) << "mono " << mono;
        EXPECT_FALSE(device.state.switchOn) << "mono " << mono;
    }
}

TEST(SystemMixerLine, LeavesLevelsTheUserChangedMeanwhile) {
    FakeMixerDevice device;
    {
        SystemMixerLine line(&device);
        line.setLevels(32767, 32767);
        device.changeByAnotherProgram({5000, 32767, true}); // the user moved the slider
    }
    EXPECT_EQ(device.state, (MixerDevice::State{5000, 32767, true}));
}

TEST(SystemMixerLine, RemembersTheLevelsTheUserHadAtTheFirstChange) {
    FakeMixerDevice device; // the levels when the program started: 20000/30000, muted
    device.changeByAnotherProgram({1000, 2000, true});
    {
        SystemMixerLine line(&device);
        line.setLevels(32767, 32767);
    }
    EXPECT_EQ(device.state, (MixerDevice::State{1000, 2000, true}));
}

TEST(SystemMixerLine, RestoresNothingWhenItNeverChangedAnything) {
    FakeMixerDevice device;
    { SystemMixerLine line(&device); }
    EXPECT_TRUE(device.writes.empty());
}

} // namespace
