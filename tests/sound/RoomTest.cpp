// SPDX-License-Identifier: GPL-3.0-or-later
#include "Room.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

double energy(const Synth::Wave& w, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < std::min(to, w.size()); ++i)
        sum += double(w[i]) * w[i];
    return sum;
}

// Above 4 kHz, through a high-pass.
double highShare(const Synth::Wave& w) {
    Synth::Biquad high = Synth::Biquad::highpass(4000);
    Synth::Wave highs(w.size());
    for (std::size_t i = 0; i < w.size(); ++i)
        highs[i] = high(w[i]);
    return energy(highs, 0, highs.size()) / energy(w, 0, w.size());
}

TEST(Room, ReflectionsTakeTheirShareAndDistanceAddsToIt) {
    struct Case {
        const char* name;
        Synth::Room room;
        double reflectedShare; // of the energy after the first reflection
    };
    const Case cases[] = {
        {"BesideTheListener", {0.0, 0.1, 0.5, 1.0}, 0.1},
        {"Bathroom", {0.25, 0.25, 0.7, 1.0}, 0.35},
        {"FrontDoor", {1.0, 0.3, 0.6, 1.0}, 0.7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Synth::Wave click(Synth::samples(0.5), 0.0f);
        click[0] = 1.0f;
        const std::size_t dryLength = click.size();
        Synth::placeInRoom(click, c.room);
        EXPECT_EQ(click.size(), dryLength + Synth::samples(0.5 * c.room.tail));
        // The first reflection comes 5.1 ms after the sound at size 1.
        const std::size_t firstEcho = Synth::samples(0.0045);
        const double share =
            energy(click, firstEcho, click.size()) / energy(click, 0, click.size());
        EXPECT_NEAR(share, c.reflectedShare, 0.06);
        // And it keeps sounding after the dry sound has ended.
        EXPECT_GT(energy(click, dryLength / 2, click.size()), 0.0);
    }
}

// The sound that comes straight through, before the first reflection, is duller the farther
// away it starts.
TEST(Room, AFartherSoundArrivesWithoutItsHighs) {
    const std::size_t beforeFirstEcho = Synth::samples(0.0045);
    double previous = 2.0; // no share can reach it
    for (double distance : {0.0, 0.5, 1.0}) {
        SCOPED_TRACE(distance);
        Synth::Wave click(Synth::samples(0.3), 0.0f);
        click[0] = 1.0f;
        Synth::placeInRoom(click, {distance, 0.2, 0.5, 1.0});
        click.resize(beforeFirstEcho);
        const double share = highShare(click);
        EXPECT_LT(share, previous);
        previous = share;
    }
}

} // namespace
