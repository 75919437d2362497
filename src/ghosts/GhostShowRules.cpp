// SPDX-License-Identifier: GPL-3.0-or-later
#include "ghosts/GhostShowRules.h"

#include "ghosts/SensorInputs.h"

namespace GhostShowRules {

qint32 wrapSix(qint32 value) {
    if (value > 5)
        return 0;
    if (value < 0)
        return 5;
    return value;
}

qint32 wrapSensor(qint32 special, qint32 sensor) {
    if (special == 0)
        return sensor;
    const qint32 last = special == 5 ? 1 : 2;
    if (sensor > last)
        return 0;
    if (sensor < 0)
        return last;
    return sensor;
}

qint32 temperMaximum(int ghost) {
    return ghost <= 4 ? 5 : 1;
}

QString twoDigits(int hour) {
    return hour < 10 ? QStringLiteral("0") + QString::number(hour) : QString::number(hour);
}

RegimeView regimeView(qint32 wrappedRegime) {
    static const RegimeView views[] = {
        {1, 231, 42, "--", "--"}, {1, 43, 44, "00", "00"},       {2, 45, 46, "20", "08"},
        {3, 47, 48, "08", "20"},  {4, 49, 50, nullptr, nullptr}, {5, 51, 52, "??", "??"},
    };
    return views[wrappedRegime];
}

int specialPicture(qint32 wrappedSpecial) {
    return wrappedSpecial == 0 ? 0 : 10 + wrappedSpecial;
}

int specialLabelEntry(qint32 wrappedSpecial) {
    return wrappedSpecial == 0 ? 1 : 119 + 2 * wrappedSpecial;
}

int specialHintEntry(qint32 wrappedSpecial) {
    return wrappedSpecial == 0 ? 0 : 120 + 2 * wrappedSpecial;
}

int sensorEntry(qint32 wrappedSpecial, qint32 wrappedSensor) {
    if (wrappedSpecial == 0)
        return 0;
    if (wrappedSensor == 0)
        return 1;
    if (wrappedSpecial == 5)
        return 149;
    return 138 + 2 * wrappedSpecial + wrappedSensor;
}

QString sensorHint(const QString& hint, qint32 special, qint32 sensor, bool russian) {
    const int input = SensorInputs::inputFor(special, sensor);
    if (input == SensorInputs::None)
        return hint;
    const QString wiring =
        russian ? QStringLiteral("вход платы %1") : QStringLiteral("board input %1");
    return hint + QLatin1Char('\n') + wiring.arg(input + 1);
}

int temperEntry(int n, qint32 value) {
    return 159 + 2 * n + (value == 0 ? 0 : 1);
}

} // namespace GhostShowRules
