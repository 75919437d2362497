// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpecialtySounds.h"

#include "Creaks.h"
#include "Finish.h"
#include "GhostVoices.h"
#include "Room.h"
#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

using namespace Synth;

namespace {

using Recipe = std::pair<const char*, std::function<Wave(Rng&)>>;

// ---- shared pieces -------------------------------------------------------------------------

// White noise through a low-pass keeps less of its level the higher the sample rate; the
// flutters below were set by ear at 22050 Hz.
const double slowNoiseGain = std::sqrt(rate / 22050.0);

Wave metalClick(Rng& rng, double pitch = 1.0) {
    return impact(
        {{2300 * pitch, 0.035, 1.0}, {4100 * pitch, 0.025, 0.6}, {6300 * pitch, 0.015, 0.4}}, 0.08,
        0.5, rng);
}

Wave slam(Rng& rng, double weight = 1.0) {
    Wave w = impact(
        {{68 / weight, 0.35, 1.0}, {142 / weight, 0.25, 0.7}, {233, 0.18, 0.4}, {410, 0.1, 0.25}},
        0.6, 0.0, rng);
    mix(w, burst(0.35, 0.002, 0.18, Biquad::lowpass(900), rng), 0, 1.2);
    mix(w, metalClick(rng, 0.8), 0.01, 0.35);
    return w;
}

Wave switchClick(Rng& rng, double pitch = 1.0) {
    Wave w =
        impact({{3300 * pitch, 0.012, 1.0}, {5400 * pitch, 0.008, 0.6}, {950 * pitch, 0.03, 0.5}},
               0.05, 0.8, rng);
    return w;
}

Wave hum(Rng& rng, double seconds, double base, double harshness) {
    Wave w(samples(seconds), 0.0f);
    const double twoPi = 6.283185307179586;
    for (std::size_t i = 0; i < w.size(); ++i) {
        const double t = double(i) / rate;
        const double s = std::sin(twoPi * 2 * base * t);
        // A clipped mains tone: the rasp of a transformer or a failing choke.
        const double buzz = (s > 0 ? 1 : -1) * std::pow(std::abs(s), 1.0 - harshness);
        const double wobble = 0.8 + 0.2 * std::sin(twoPi * 0.7 * t);
        w[i] = float(wobble * (0.6 * buzz + 0.3 * std::sin(twoPi * base * t) + 0.05 * rng.noise()));
    }
    return w;
}

// A fluorescent tube sings thinner than the mains under it: its buzz without the low hum.
Wave tubeBuzz(Rng& rng, double seconds) {
    Wave w = hum(rng, seconds, 50, 0.97);
    Biquad thin = Biquad::highpass(400);
    for (float& s : w)
        s = thin(s);
    return w;
}

Wave fizz(Rng& rng, double seconds, double density) {
    Wave w = hum(rng, seconds, 50, 0.6);
    for (float& s : w)
        s *= 0.35f;
    for (double t = 0; t < seconds - 0.05;) {
        const double length = rng.range(0.005, 0.04);
        mix(w, burst(length, 0.001, length * 0.5, Biquad::highpass(2500), rng), t,
            rng.range(0.4, 1.2));
        t += rng.range(0.01, 0.25) / density;
    }
    return w;
}

Wave spark(Rng& rng) {
    Wave w = burst(0.06, 0.0005, 0.03, Biquad::highpass(1800), rng);
    mix(w, switchClick(rng, 1.4), 0, 0.4);
    return w;
}

Wave drip(Rng& rng, double pitch = 1.0) {
    const double from = rng.range(650, 1000) * pitch;
    Wave w = bubble(0.09, from, from * rng.range(2.0, 2.8), 0.07);
    mix(w, burst(0.01, 0.0005, 0.005, Biquad::bandpass(3000, 1), rng), 0, 0.15);
    return w;
}

Wave runningWater(Rng& rng, double seconds, double centre) {
    Wave w = burst(seconds, 0.15, 100.0, Biquad::bandpass(centre, 1.2), rng);
    Biquad flutter = Biquad::lowpass(12);
    for (float& s : w)
        s *= float(0.7 + 3.0 * slowNoiseGain * std::abs(flutter(float(rng.noise()))));
    // A bed of hiss under the bubbles that make it sound like water rather than wind.
    normalize(w, 0.45);
    for (double t = 0.05; t < seconds - 0.1; t += rng.range(0.008, 0.04))
        mix(w, bubble(0.035, rng.range(700, 1900), rng.range(2000, 3200), 0.03), t,
            rng.range(0.1, 0.5));
    return w;
}

Wave gurgle(Rng& rng, double seconds, double low) {
    Wave w = burst(seconds, 0.2, 100.0, Biquad::lowpass(180), rng);
    for (float& s : w)
        s *= 0.6f;
    for (double t = 0.05; t < seconds - 0.2;) {
        const double f = rng.range(low, low * 3);
        mix(w, bubble(rng.range(0.06, 0.16), f, f * rng.range(1.5, 2.5), 0.1), t,
            rng.range(0.4, 1.0));
        t += rng.range(0.02, 0.18);
    }
    return w;
}

Wave pipeKnock(Rng& rng) {
    return impact({{185, 0.45, 1.0}, {430, 0.3, 0.6}, {905, 0.2, 0.35}, {1730, 0.12, 0.2}}, 0.5,
                  0.3, rng);
}

Wave bell(Rng& rng, double f, double decay) {
    return impact({{f, decay, 1.0},
                   {2.0 * f, decay * 0.6, 0.5},
                   {2.76 * f, decay * 0.4, 0.35},
                   {5.4 * f, decay * 0.2, 0.15}},
                  decay * 0.8, 0.05, rng);
}

Wave electricBell(Rng& rng, double seconds) {
    Wave w = silence(seconds + 0.2);
    for (double t = 0; t < seconds; t += 0.038)
        mix(w, impact({{1180, 0.25, 1.0}, {2950, 0.15, 0.5}, {4400, 0.1, 0.3}}, 0.2, 0.1, rng), t,
            0.5);
    return w;
}

Wave knock(Rng& rng, double hardness = 1.0) {
    Wave w = impact({{105, 0.14, 1.0}, {228 * hardness, 0.09, 0.6}, {470 * hardness, 0.05, 0.35}},
                    0.25, 0.0, rng);
    mix(w, burst(0.04, 0.0005, 0.02, Biquad::lowpass(1500 * hardness), rng), 0, 0.9);
    return w;
}

Wave flapClack(Rng& rng) {
    Wave w = impact({{880, 0.16, 1.0}, {2080, 0.1, 0.6}, {3520, 0.08, 0.45}}, 0.3, 0.4, rng);
    mix(w, impact({{910, 0.08, 1.0}, {2150, 0.06, 0.5}}, 0.15, 0.3, rng), 0.045, 0.4);
    mix(w, impact({{905, 0.05, 1.0}, {2120, 0.04, 0.5}}, 0.1, 0.2, rng), 0.075, 0.2);
    return w;
}

Wave rustle(Rng& rng, double seconds) {
    Wave w = burst(seconds, 0.02, 100.0, Biquad::highpass(1800), rng);
    Biquad crackle = Biquad::lowpass(30);
    for (float& s : w) {
        const double c = slowNoiseGain * crackle(float(rng.noise()));
        s *= float(std::max(0.0, c * 8.0));
    }
    fade(w, 0.02, seconds * 0.4);
    return w;
}

Wave footstep(Rng& rng, double weight = 1.0, double brightness = 1.0) {
    Wave w = burst(0.09, 0.002, 0.05, Biquad::lowpass(650 * brightness), rng);
    mix(w, impact({{85 / weight, 0.09, 0.8}, {190, 0.05, 0.3}}, 0.12, 0.0, rng), 0, 1.0);
    mix(w, burst(0.07, 0.003, 0.04, Biquad::lowpass(900 * brightness), rng), 0.11, 0.45);
    // A heel meets the floor over a few milliseconds; the thud's partials must not start on a
    // jump, whose click would make carpet and boards sound alike.
    fade(w, 0.004 / brightness, 0);
    return w;
}

Wave gravelStep(Rng& rng) {
    Wave w = silence(0.25);
    for (int k = 0; k < 14; ++k)
        mix(w, burst(0.015, 0.0005, 0.008, Biquad::bandpass(rng.range(1500, 4000), 2), rng),
            rng.range(0, 0.18), rng.range(0.3, 1.0));
    mix(w, footstep(rng), 0, 0.4);
    return w;
}

// Brightness is the floor and the shoe: under 1 carpet and soft soles, above it bare boards and
// heels. Approach brings the steps nearer, louder and less muffled with each one.
Wave walk(Rng& rng, int steps, double interval, double weight, double brightness = 1.0,
          double approach = 0) {
    Wave w = silence(steps * interval + 0.3);
    for (int k = 0; k < steps; ++k) {
        const double nearer = approach * k / steps;
        const double gain = 0.6 + 0.4 * (k % 2) + nearer;
        mix(w, footstep(rng, weight, brightness * (1 + nearer)), k * interval + rng.range(0, 0.03),
            gain);
    }
    return w;
}

// A stair tread is a hollow box: it booms where a floor thuds.
Wave treadStep(Rng& rng) {
    Wave w = impact({{95, 0.22, 1.0}, {212, 0.16, 0.7}, {515, 0.08, 0.4}}, 0.35, 0.2, rng);
    mix(w, footstep(rng, 1.2, 0.8), 0, 0.5);
    return w;
}

Wave bounce(Rng& rng, const std::vector<Mode>& modes, double firstGap, int bounces) {
    Wave w = silence(0.2);
    double t = 0;
    double gap = firstGap;
    double gain = 1.0;
    for (int k = 0; k < bounces; ++k) {
        mix(w, impact(modes, 0.3, 0.4, rng), t, gain);
        t += gap;
        gap *= 0.62;
        gain *= 0.6;
    }
    return w;
}

Wave seq(double seconds, std::initializer_list<std::pair<double, Wave>> parts) {
    Wave w = silence(seconds);
    // Parts come at their own loudness; level them so a creak is not lost beside a slam.
    for (const auto& [at, part] : parts) {
        Wave levelled = part;
        normalize(levelled, 1.0);
        mix(w, levelled, at);
    }
    return w;
}

// A hard, bare space on top of the home's own room: a stairwell, a tiled basin.
Wave withEcho(Wave w, double amount) {
    reverb(w, amount);
    return w;
}

// ---- the libraries -------------------------------------------------------------------------

std::vector<Recipe> ghostly(bool longSounds) {
    using namespace Vowels;
    if (longSounds)
        return {
            {"Low moan",
             [](Rng& r) {
                 return moan(r, 3.6, 112, 86, oo, oh);
             }},
            {"Rising wail",
             [](Rng& r) {
                 return moan(r, 3.0, 180, 390, oo, ee);
             }},
            {"Whispering",
             [](Rng& r) {
                 return whisper(r, 3.4);
             }},
            {"Evil laugh",
             [](Rng& r) {
                 return laugh(r, 9, 112, 0.21, ah);
             }},
            {"Giggle",
             [](Rng& r) {
                 return laugh(r, 11, 340, 0.13, ee);
             }},
            {"Moan, then whispers",
             [](Rng& r) {
                 return seq(4.4,
                            {{0, moan(r, 2.0, 130, 104, oh, uh)}, {2.2, whisper(r, 2.1, 1.3)}});
             }},
            {"Long sigh",
             [](Rng& r) {
                 return sigh(r, 2.8, 175);
             }},
            {"Wail in the stairwell",
             [](Rng& r) {
                 return withEcho(moan(r, 2.6, 270, 175, ah, oh), 1.0);
             }},
            {"Two ghosts moan",
             [](Rng& r) {
                 return seq(3.8, {{0, moan(r, 3.2, 104, 90, oo, mm)},
                                  {0.7, moan(r, 2.9, 158, 205, eh, ah)}});
             }},
            {"Slow breathing",
             [](Rng& r) {
                 Wave w = silence(4.6);
                 for (int k = 0; k < 3; ++k) {
                     mix(w, breath(r, 0.7, true), 1.5 * k);
                     mix(w, breath(r, 0.8, false), 1.5 * k + 0.75, 0.8);
                 }
                 return w;
             }},
        };
    return {
        {"Short moan",
         [](Rng& r) {
             return moan(r, 1.2, 125, 100, oo, oh);
         }},
        {"Hushed whisper",
         [](Rng& r) {
             return whisper(r, 0.9, 1.4);
         }},
        {"Ha",
         [](Rng& r) {
             return laugh(r, 1, 150, 0.5, ah);
         }},
        {"Chuckle",
         [](Rng& r) {
             return laugh(r, 4, 132, 0.16, uh);
         }},
        {"Sigh",
         [](Rng& r) {
             return sigh(r, 1.3, 190);
         }},
        {"Boo",
         [](Rng& r) {
             return moan(r, 0.7, 165, 118, uh, oo);
         }},
        {"Gasp",
         [](Rng& r) {
             return breath(r, 0.4, true);
         }},
        {"Hiss",
         [](Rng& r) {
             return burst(0.6, 0.08, 0.5, Biquad::bandpass(6500, 1.2), r);
         }},
        {"Giggle",
         [](Rng& r) {
             return laugh(r, 5, 360, 0.12, ee);
         }},
        {"Short wail",
         [](Rng& r) {
             return moan(r, 1.1, 240, 360, oh, ee);
         }},
    };
}

std::vector<Recipe> doorman(bool longSounds) {
    if (longSounds)
        return {
            {"Door creaks open",
             [](Rng& r) {
                 return stickSlip(
                     3.4, {{0, 0}, {0.2, 0.12}, {1.2, 0.35}, {2.2, 0.8}, {2.9, 0.4}, {3.3, 0}},
                     doorWood(), r);
             }},
            {"Door creaks, then slams",
             [](Rng& r) {
                 // A light inner door: higher than the front door, and slammed.
                 return seq(3.2, {{0, doorCreak(r, 2.0, 0.2, 0.7, 1.35)}, {2.3, slam(r)}});
             }},
            {"Door slams in the hall",
             [](Rng& r) {
                 return withEcho(seq(1.8, {{0, slam(r)}}), 0.8);
             }},
            {"Key turns, door creaks",
             [](Rng& r) {
                 return seq(3.6, {{0, metalClick(r, 0.7)},
                                  {0.25, metalClick(r, 0.9)},
                                  {0.45, metalClick(r, 0.6)},
                                  {0.9, doorCreak(r, 2.5, 0.15, 0.45, 1.1)}});
             }},
            {"Hinge squeaks to and fro",
             [](Rng& r) {
                 return seq(3.2, {{0, hingeSqueak(r, 1.3, 0.3, 0.8)},
                                  {1.6, hingeSqueak(r, 1.3, 0.8, 0.25, 0.95)}});
             }},
            {"Latch rattles",
             [](Rng& r) {
                 Wave w = silence(2.5);
                 for (double t = 0; t < 2.2; t += r.range(0.08, 0.3))
                     mix(w, metalClick(r, r.range(0.8, 1.1)), t, r.range(0.5, 1.0));
                 return w;
             }},
            {"Heavy door groans",
             [](Rng& r) {
                 return doorCreak(r, 4.2, 0.1, 0.3, 0.55);
             }},
            {"Door opens, waits and closes",
             [](Rng& r) {
                 // Pushed open in fits, left standing, then swung shut: the story is in the
                 // silence between.
                 return seq(
                     5.6,
                     {{0,
                       stickSlip(
                           1.7, {{0, 0}, {0.2, 0.3}, {0.6, 0.1}, {0.9, 0.5}, {1.5, 0.25}, {1.7, 0}},
                           doorWood(0.8), r)},
                      {3.4, hingeSqueak(r, 1.0, 0.6, 0.9, 0.8)},
                      {4.42, slam(r, 0.5)},
                      {4.45, metalClick(r)}});
             }},
            {"Two doors slam",
             [](Rng& r) {
                 return seq(2.6, {{0, slam(r)}, {1.3, slam(r, 1.3)}});
             }},
            {"Someone tries the locked door",
             [](Rng& r) {
                 Wave w = silence(2.6);
                 for (int k = 0; k < 6; ++k) {
                     mix(w, metalClick(r, 0.7), 0.3 * k, 0.8);
                     mix(w, knock(r, 0.7), 0.3 * k + 0.02, 0.4);
                 }
                 return w;
             }},
        };
    return {
        {"Latch click",
         [](Rng& r) {
             return seq(0.35, {{0, metalClick(r)}, {0.09, metalClick(r, 1.2)}});
         }},
        {"Lock turns",
         [](Rng& r) {
             return seq(0.5, {{0, metalClick(r, 0.7)}, {0.2, metalClick(r, 0.6)}});
         }},
        {"Short creak",
         [](Rng& r) {
             return doorCreak(r, 0.9, 0.25, 0.6);
         }},
        {"Slam",
         [](Rng& r) {
             return seq(0.7, {{0, slam(r)}});
         }},
        {"Handle rattles",
         [](Rng& r) {
             return seq(
                 0.6,
                 {{0, metalClick(r, 0.8)}, {0.15, metalClick(r, 0.85)}, {0.3, metalClick(r, 0.8)}});
         }},
        {"Hinge squeak",
         [](Rng& r) {
             return hingeSqueak(r, 0.6, 0.5, 0.9, 1.1);
         }},
        {"Door shuts softly",
         [](Rng& r) {
             return seq(0.6, {{0, slam(r, 0.5)}});
         }},
        {"Bolt slides home",
         [](Rng& r) {
             return seq(0.7, {{0, burst(0.35, 0.05, 0.3, Biquad::bandpass(2500, 3), r)},
                              {0.4, metalClick(r, 0.8)}});
         }},
        {"Double click",
         [](Rng& r) {
             return seq(0.4, {{0, metalClick(r)}, {0.2, metalClick(r)}});
         }},
        {"Short groan",
         [](Rng& r) {
             return doorCreak(r, 1.1, 0.12, 0.2, 0.6);
         }},
    };
}

std::vector<Recipe> electrician(bool longSounds) {
    if (longSounds)
        return {
            {"Mains hum",
             [](Rng& r) {
                 return hum(r, 3.0, 50, 0.1);
             }},
            {"Fizzing bulb",
             [](Rng& r) {
                 return fizz(r, 3.5, 1.0);
             }},
            {"Switch on, lamp buzzes",
             [](Rng& r) {
                 return seq(3.0, {{0, switchClick(r)}, {0.05, hum(r, 2.8, 50, 0.7)}});
             }},
            {"Sparks crackle",
             [](Rng& r) {
                 Wave w = silence(3.0);
                 for (double t = 0; t < 2.8; t += r.range(0.03, 0.4))
                     mix(w, spark(r), t, r.range(0.3, 1.0));
                 return w;
             }},
            {"Light switch flicked",
             [](Rng& r) {
                 Wave w = silence(3.0);
                 for (int k = 0; k < 5; ++k) {
                     mix(w, switchClick(r), k * 0.55);
                     mix(w, hum(r, 0.25, 50, 0.6), k * 0.55 + 0.02, 0.3);
                     mix(w, switchClick(r, 0.8), k * 0.55 + 0.3);
                 }
                 return w;
             }},
            {"Transformer drone",
             [](Rng& r) {
                 return hum(r, 4.0, 50, 0.85);
             }},
            {"Bulb fizzes and pops",
             [](Rng& r) {
                 return seq(3.0, {{0, fizz(r, 2.5, 1.6)},
                                  {2.5, spark(r)},
                                  {2.52, burst(0.2, 0.001, 0.1, Biquad::lowpass(2500), r)}});
             }},
            {"Relay clicking",
             [](Rng& r) {
                 Wave w = silence(2.6);
                 for (int k = 0; k < 10; ++k)
                     mix(w, switchClick(r, k % 2 ? 1.2 : 0.9), 0.25 * k, 0.8);
                 return w;
             }},
            {"Tube light starting",
             [](Rng& r) {
                 return seq(3.4, {{0, switchClick(r)},
                                  {0.4, spark(r)},
                                  {0.8, spark(r)},
                                  {1.0, tubeBuzz(r, 2.3)}});
             }},
            {"Short circuit",
             [](Rng& r) {
                 return seq(2.4, {{0, fizz(r, 1.6, 3.0)}, {1.6, spark(r)}, {1.62, slam(r, 0.7)}});
             }},
        };
    return {
        {"Switch on",
         [](Rng& r) {
             return switchClick(r);
         }},
        {"Switch off",
         [](Rng& r) {
             return switchClick(r, 0.75);
         }},
        {"Short buzz",
         [](Rng& r) {
             return hum(r, 0.6, 50, 0.8);
         }},
        {"Spark",
         [](Rng& r) {
             return spark(r);
         }},
        {"Fizz",
         [](Rng& r) {
             return fizz(r, 0.8, 2.0);
         }},
        {"Relay click",
         [](Rng& r) {
             return seq(0.3, {{0, switchClick(r, 1.3)}});
         }},
        {"Bulb pops",
         [](Rng& r) {
             return seq(0.5,
                        {{0, spark(r)}, {0.01, burst(0.2, 0.001, 0.1, Biquad::lowpass(2500), r)}});
         }},
        {"Click-clack",
         [](Rng& r) {
             return seq(0.4, {{0, switchClick(r)}, {0.18, switchClick(r, 0.8)}});
         }},
        {"Zap",
         [](Rng& r) {
             return seq(0.6, {{0, hum(r, 0.5, 60, 0.9)}, {0, spark(r)}});
         }},
        {"Crackle",
         [](Rng& r) {
             Wave w = silence(0.7);
             for (double t = 0; t < 0.6; t += r.range(0.02, 0.1))
                 mix(w, spark(r), t, r.range(0.3, 1.0));
             return w;
         }},
    };
}

std::vector<Recipe> plumber(bool longSounds) {
    if (longSounds)
        return {
            {"Dripping tap",
             [](Rng& r) {
                 Wave w = silence(3.6);
                 for (int k = 0; k < 8; ++k)
                     mix(w, drip(r), 0.45 * k + r.range(0, 0.03));
                 return w;
             }},
            {"Tap running",
             [](Rng& r) {
                 return runningWater(r, 3.5, 2200);
             }},
            {"Gurgling pipes",
             [](Rng& r) {
                 return gurgle(r, 3.5, 140);
             }},
            {"Drips in a basin",
             [](Rng& r) {
                 Wave w = silence(3.0);
                 for (int k = 0; k < 4; ++k)
                     mix(w, drip(r, 0.7), 0.7 * k + r.range(0, 0.1));
                 return withEcho(w, 0.8);
             }},
            {"Tap on, running, off",
             [](Rng& r) {
                 return seq(3.8, {{0, hingeSqueak(r, 0.3, 0.6, 0.4, 1.3)},
                                  {0.3, runningWater(r, 2.8, 750)},
                                  {3.2, hingeSqueak(r, 0.3, 0.4, 0.6, 1.3)}});
             }},
            {"Pipes knock",
             [](Rng& r) {
                 return seq(2.6, {{0, pipeKnock(r)},
                                  {0.35, pipeKnock(r)},
                                  {1.1, pipeKnock(r)},
                                  {1.3, pipeKnock(r)}});
             }},
            {"Drain gulps",
             [](Rng& r) {
                 return gurgle(r, 3.0, 90);
             }},
            {"Fast dripping",
             [](Rng& r) {
                 Wave w = silence(2.6);
                 for (int k = 0; k < 12; ++k)
                     mix(w, drip(r, 1.2), 0.2 * k + r.range(0, 0.03), r.range(0.6, 1.0));
                 return w;
             }},
            {"Cistern filling",
             [](Rng& r) {
                 return seq(4.0, {{0, runningWater(r, 3.8, 900)}, {0.5, gurgle(r, 3.0, 300)}});
             }},
            {"Water pours into a bucket",
             [](Rng& r) {
                 return seq(3.2,
                            {{0, runningWater(r, 3.0, 350)}, {0.2, runningWater(r, 2.8, 4000)}});
             }},
        };
    return {
        {"Drip",
         [](Rng& r) {
             return seq(0.35, {{0, drip(r)}});
         }},
        {"Drip with echo",
         [](Rng& r) {
             return withEcho(drip(r, 0.8), 1.0);
         }},
        {"Short gurgle",
         [](Rng& r) {
             return gurgle(r, 0.8, 160);
         }},
        {"Pipe knocks",
         [](Rng& r) {
             return pipeKnock(r);
         }},
        {"Splash",
         [](Rng& r) {
             return seq(0.5, {{0, burst(0.4, 0.005, 0.25, Biquad::bandpass(1500, 0.7), r)},
                              {0.02, drip(r, 0.6)}});
         }},
        {"Two drips",
         [](Rng& r) {
             // One from the tap's lip, one from the spout into the full basin below.
             return seq(0.6, {{0, drip(r, 1.5)}, {0.3, drip(r, 0.55)}});
         }},
        {"Bubble",
         [](Rng&) {
             return bubble(0.3, 200, 520, 0.25);
         }},
        {"Tap squeaks",
         [](Rng& r) {
             return hingeSqueak(r, 0.5, 0.5, 0.8, 1.3);
         }},
        {"Tap bursts on",
         [](Rng& r) {
             return runningWater(r, 1.0, 2000);
         }},
        {"Glug",
         [](Rng& r) {
             return gurgle(r, 0.6, 100);
         }},
    };
}

std::vector<Recipe> postman(bool longSounds) {
    if (longSounds)
        return {
            {"Ding-dong",
             [](Rng& r) {
                 return seq(2.5, {{0, bell(r, 659, 1.6)}, {0.55, bell(r, 523, 1.9)}});
             }},
            {"Doorbell twice",
             [](Rng& r) {
                 // Another house's bell: a third higher than the ding-dong.
                 return seq(4.4, {{0, bell(r, 880, 1.4)},
                                  {0.5, bell(r, 698, 1.4)},
                                  {2.1, bell(r, 880, 1.6)},
                                  {2.6, bell(r, 698, 1.8)}});
             }},
            {"Electric bell rings",
             [](Rng& r) {
                 return electricBell(r, 2.3);
             }},
            {"Knock, knock, knock",
             [](Rng& r) {
                 return seq(2.2, {{0, knock(r)}, {0.35, knock(r)}, {0.7, knock(r)}});
             }},
            {"Impatient knocking",
             [](Rng& r) {
                 Wave w = silence(3.0);
                 for (int k = 0; k < 5; ++k)
                     mix(w, knock(r, 1.2), 0.16 * k);
                 for (int k = 0; k < 5; ++k)
                     mix(w, knock(r, 1.2), 1.6 + 0.14 * k);
                 return w;
             }},
            {"Letterbox and a letter",
             [](Rng& r) {
                 return seq(2.6, {{0, hingeSqueak(r, 0.35, 0.5, 0.7, 0.8)},
                                  {0.4, rustle(r, 0.8)},
                                  {1.3, flapClack(r)},
                                  {1.6, burst(0.1, 0.002, 0.06, Biquad::lowpass(500), r)}});
             }},
            {"Three-tone chime",
             [](Rng& r) {
                 return seq(
                     3.0,
                     {{0, bell(r, 784, 1.4)}, {0.4, bell(r, 659, 1.4)}, {0.8, bell(r, 523, 1.9)}});
             }},
            {"Knocking, then the bell",
             [](Rng& r) {
                 return seq(3.6, {{0, knock(r)},
                                  {0.3, knock(r)},
                                  {1.3, bell(r, 659, 1.3)},
                                  {1.8, bell(r, 523, 1.6)}});
             }},
            {"Letterbox rattled",
             [](Rng& r) {
                 return seq(2.2, {{0, flapClack(r)},
                                  {0.3, flapClack(r)},
                                  {0.55, flapClack(r)},
                                  {0.8, flapClack(r)}});
             }},
            {"Parcel dropped on the mat",
             [](Rng& r) {
                 return seq(2.2, {{0, rustle(r, 0.5)}, {0.6, slam(r, 0.6)}, {0.7, rustle(r, 1.0)}});
             }},
        };
    return {
        {"Ding",
         [](Rng& r) {
             return bell(r, 659, 1.1);
         }},
        {"Dong",
         [](Rng& r) {
             return bell(r, 523, 1.3);
         }},
        {"Knock",
         [](Rng& r) {
             return knock(r);
         }},
        {"Knock-knock",
         [](Rng& r) {
             return seq(0.6, {{0, knock(r)}, {0.25, knock(r)}});
         }},
        {"Flap clacks",
         [](Rng& r) {
             return flapClack(r);
         }},
        {"Short ring",
         [](Rng& r) {
             return electricBell(r, 0.6);
         }},
        {"Letter rustles",
         [](Rng& r) {
             return rustle(r, 0.6);
         }},
        {"Quick ding-dong",
         [](Rng& r) {
             return seq(1.6, {{0, bell(r, 659, 0.9)}, {0.35, bell(r, 523, 1.1)}});
         }},
        {"Flap snaps shut",
         [](Rng& r) {
             return seq(0.5, {{0, hingeSqueak(r, 0.15, 0.7, 0.8, 0.8)}, {0.16, flapClack(r)}});
         }},
        {"Tap on the glass",
         [](Rng& r) {
             return seq(0.5, {{0, impact({{2900, 0.08, 1.0}, {5100, 0.05, 0.5}}, 0.15, 0.2, r)},
                              {0.2, impact({{2950, 0.08, 1.0}, {5200, 0.05, 0.5}}, 0.15, 0.2, r)}});
         }},
    };
}

std::vector<Recipe> pedestrian(bool longSounds) {
    const std::vector<Mode> pan = {{620, 0.5, 1.0}, {1540, 0.35, 0.6}, {2810, 0.25, 0.4}};
    const std::vector<Mode> wood = {{160, 0.1, 1.0}, {420, 0.06, 0.5}, {900, 0.04, 0.3}};
    if (longSounds)
        return {
            {"Footsteps across the room",
             [](Rng& r) {
                 // Hard soles on bare boards.
                 return walk(r, 7, 0.52, 1.0, 1.8);
             }},
            {"Steps on a creaking floor",
             [](Rng& r) {
                 Wave w = walk(r, 5, 0.6, 1.1);
                 mix(w, floorCreak(r, 0.9, 0.45, 0.8), 0.62, 2.0);
                 mix(w, floorCreak(r, 1.0, 0.55, 0.3), 1.85, 2.0);
                 return w;
             }},
            {"Someone runs past",
             [](Rng& r) {
                 // Hard heels on a tiled hall.
                 return walk(r, 12, 0.22, 0.8, 3.0);
             }},
            {"Steps on gravel",
             [](Rng& r) {
                 Wave w = silence(3.2);
                 for (int k = 0; k < 6; ++k)
                     mix(w, gravelStep(r), 0.5 * k);
                 return w;
             }},
            {"Something falls and bounces",
             [wood](Rng& r) {
                 return bounce(r, wood, 0.35, 6);
             }},
            {"Slow heavy steps",
             [](Rng& r) {
                 // Boots on a carpet.
                 return walk(r, 4, 0.9, 1.6, 0.3);
             }},
            {"Floorboards creak",
             [](Rng& r) {
                 return seq(3.5, {{0, floorCreak(r, 1.4, 0.3, 0.7)},
                                  {1.7, floorCreak(r, 1.6, 0.7, 0.25)}});
             }},
            {"Pans clatter to the floor",
             [pan](Rng& r) {
                 Wave w = silence(2.6);
                 for (int k = 0; k < 3; ++k)
                     mix(w, bounce(r, pan, r.range(0.15, 0.3), 5), r.range(0, 0.4), 0.7);
                 return w;
             }},
            {"Steps come closer and stop",
             [](Rng& r) {
                 // Closer with every step, then they stop; a while later the floor gives
                 // under someone standing still.
                 Wave w = walk(r, 7, 0.5, 1.0, 0.7, 1.0);
                 mix(w, floorCreak(r, 0.8, 0.25, 0.5, 0.8), 4.3, 1.5);
                 return w;
             }},
            {"Stairs creak under steps",
             [](Rng& r) {
                 Wave w = silence(3.8);
                 for (int k = 0; k < 5; ++k) {
                     mix(w, treadStep(r), 0.7 * k);
                     mix(w, floorCreak(r, 0.45, 0.5 + 0.1 * k, 0.9, 1.3 + 0.08 * k), 0.7 * k + 0.05,
                         0.8);
                 }
                 return w;
             }},
        };
    return {
        {"One footstep",
         [](Rng& r) {
             return footstep(r);
         }},
        {"Two footsteps",
         [](Rng& r) {
             return seq(0.8, {{0, footstep(r)}, {0.45, footstep(r)}});
         }},
        {"Floor creaks",
         [](Rng& r) {
             return floorCreak(r, 0.9, 0.45, 0.8);
         }},
        {"Something drops",
         [wood](Rng& r) {
             return bounce(r, wood, 0.2, 3);
         }},
        {"Book falls flat",
         [](Rng& r) {
             return seq(0.5, {{0, burst(0.3, 0.001, 0.12, Biquad::lowpass(1800), r)},
                              {0, impact({{130, 0.1, 1.0}}, 0.2, 0.0, r)}});
         }},
        {"Coin drops",
         [](Rng& r) {
             return bounce(r, {{3100, 0.3, 1.0}, {7300, 0.2, 0.5}}, 0.12, 7);
         }},
        {"Shuffling feet",
         [](Rng& r) {
             return seq(0.7, {{0, burst(0.3, 0.05, 0.2, Biquad::bandpass(2000, 1), r)},
                              {0.35, burst(0.3, 0.05, 0.2, Biquad::bandpass(1700, 1), r)}});
         }},
        {"Heel click",
         [](Rng& r) {
             return footstep(r, 0.7, 3.0);
         }},
        {"Board squeaks",
         [](Rng& r) {
             return floorCreak(r, 0.5, 0.8, 1.0, 1.4);
         }},
        {"Pan falls",
         [pan](Rng& r) {
             return bounce(r, pan, 0.18, 5);
         }},
    };
}

// Where each ghost is heard from: a knock at the front door comes from down the hall, a drip
// from the bathroom next door, a voice from anywhere in the house.
Room roomOf(int specialty) {
    switch (specialty) {
    case 1: // doors: in the hall
        return {0.5, 0.25, 0.6, 1.2};
    case 2: // switches and wiring: in the room itself
        return {0.2, 0.15, 0.4, 0.9};
    case 3: // the bathroom: near, small and hard-walled
        return {0.25, 0.25, 0.7, 0.6};
    case 4: // the front door: farthest away
        return {0.85, 0.3, 0.6, 1.4};
    case 5: // steps in the next room
        return {0.55, 0.2, 0.5, 1.0};
    default: // voices: somewhere in the house, never quite placed
        return {0.45, 0.3, 0.8, 1.3};
    }
}

} // namespace

std::vector<SpecialtySounds::Sound> SpecialtySounds::make(int specialty, bool longSounds) {
    std::vector<Recipe> recipes;
    switch (specialty) {
    case 1:
        recipes = doorman(longSounds);
        break;
    case 2:
        recipes = electrician(longSounds);
        break;
    case 3:
        recipes = plumber(longSounds);
        break;
    case 4:
        recipes = postman(longSounds);
        break;
    case 5:
        recipes = pedestrian(longSounds);
        break;
    default:
        recipes = ghostly(longSounds);
        break;
    }
    std::vector<Sound> sounds;
    for (std::size_t i = 0; i < recipes.size(); ++i) {
        Rng rng(std::uint64_t(specialty) * 1000 + (longSounds ? 500 : 0) + i);
        Wave wave = recipes[i].second(rng);
        placeInRoom(wave, roomOf(specialty));
        // A single click is over in a few hundredths of a second; silence after it keeps every
        // sound of a library within its kind's length. A tail that would pass the longest is
        // cut; the finishing fade hides the cut.
        const std::size_t shortest = samples(longSounds ? 2.2 : 0.4);
        const std::size_t longest = samples(longSounds ? 7.5 : 1.9);
        wave.resize(std::clamp(wave.size(), shortest, longest), 0.0f);
        sounds.push_back({recipes[i].first, finish(std::move(wave))});
    }
    return sounds;
}
