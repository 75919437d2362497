// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// How the ghost dialog brings a ghost's values into range and which text, hint and picture
// stand for each value. Entry numbers index LanguageTexts.
namespace GhostShowRules {

// Above 5 becomes 0, below 0 becomes 5 (regime and specialty alike).
qint32 wrapSix(qint32 value);
// Specialties 1 to 4 offer sensors 0..2, specialty 5 offers 0..1; specialty 0 leaves the value
// as it is.
qint32 wrapSensor(qint32 special, qint32 sensor);
// The largest first temper (Nrav_1) the quick panel of ghost 1..8 steps to: six tempers for
// ghosts 1 to 4, two for the others.
qint32 temperMaximum(int ghost);
// Two digits, a "0" before values below 10.
QString twoDigits(int hour);

struct RegimeView {
    int picture;      // BitmapList_GhostPassport
    int labelEntry;   // caption
    int hintEntry;    // hint of the picture and the label
    const char* from; // fixed hour texts; null for the pre-set time, which shows its own hours
    const char* to;
};
RegimeView regimeView(qint32 wrappedRegime);

int specialPicture(qint32 wrappedSpecial);
int specialLabelEntry(qint32 wrappedSpecial);
// 0 for specialty 0, which has no description.
int specialHintEntry(qint32 wrappedSpecial);
// The sensor text's entry; 0 where the field keeps its fixed "not selected".
int sensorEntry(qint32 wrappedSpecial, qint32 wrappedSensor);

// The sensor field's hint: the language's hint and, when a sensor is chosen, the board input to
// wire it to, numbered from 1 as the board monitor's boxes and the board simulator count them.
QString sensorHint(const QString& hint, qint32 special, qint32 sensor, bool russian);

// Temper n (1..4): the word for a value of 0, otherwise the next entry.
int temperEntry(int n, qint32 value);

} // namespace GhostShowRules
