// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Which of a board's digital inputs each sensor of the ghost dialog is wired to: the sensors in
// the order of their texts, two for each of specialties 1 to 4, then the pedestrian's one.
namespace SensorInputs {

constexpr int Count = 9;
constexpr int None = -1;

// The input 0..8 that a ghost with this specialty and sensor choice listens to; None when the
// pair names no sensor (specialty 0, sensor 0, or values outside the dialog's ranges).
constexpr int inputFor(qint32 special, qint32 sensor) {
    if (special >= 1 && special <= 4 && (sensor == 1 || sensor == 2))
        return 2 * (special - 1) + (sensor - 1);
    if (special == 5 && sensor == 1)
        return 8;
    return None;
}

} // namespace SensorInputs
