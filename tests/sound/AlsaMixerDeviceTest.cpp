// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/AlsaMixerDevice.h"

#include <gtest/gtest.h>

#include <alsa/asoundlib.h>
#include <cstdlib>

namespace {

// Made at start-up, attached when the first sound is placed: until then not even ALSA's
// configuration is read. Run in a fresh process, as ALSA keeps its configuration for good.
TEST(AlsaMixerDeviceDeathTest, ReadsNothingOfAlsaUntilFirstUsed) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            AlsaMixerDevice device;
            const bool untouched = snd_config == nullptr;
            (void)device.volumeRange();
            const bool readAtFirstUse = snd_config != nullptr;
            std::exit(untouched && readAtFirstUse ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
