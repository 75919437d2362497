// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// One act as the home hears of it.
struct HomeAct {
    int ghost = 0; // 1..8
    QString name;
    bool longSound = true;
    int specialty = 0;    // the library's 0..5
    int soundNumber = 0;  // 0..9
    QString description;  // the sound's own, empty when unknown
    int effect = 0;       // 0 middle, 1 left, 2 right, 3 and 4 sweeps
    QString trigger;      // "attraction", "sensor", "network", "mqtt", "sound window"
    bool sounded = false; // false: the ghost's working time kept it quiet, or no sound could play
    QString node;
};

namespace HomeActJson {
// {"node":"…","ghost":3,"name":"…","kind":"long","specialty":4,"sound":7,
//  "description":"…","effect":"left","trigger":"sensor","sounded":true}
// effect is "middle", "left", "right", "sweep right to left" (3), "sweep left to right" (4), or
// "unchanged" for a number the player does not know.
QByteArray encode(const HomeAct& act);
} // namespace HomeActJson
