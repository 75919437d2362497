// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The attraction's settings: written by the settings dialog, read by the attraction scheduler.
struct AttractionOptions {
    // 0..3: 15, 30, 60 minutes, no limit. Taken as stored, so it may lie outside 0..3.
    qint32 Attraction_Time = 3;
    bool Attraction_Over_1 = false; // "Открыть дверь"
    bool Attraction_Over_2 = false; // "Финальный звук"
    // Started as if by the button once the program is up, with or without a window.
    bool Attraction_Autostart = false;
};
