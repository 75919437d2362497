// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/MixerScale.h"

#include <algorithm>
#include <cmath>

MixerValues scaleLevels(qint32& valueMax, int leftLevel, int rightLevel) {
    valueMax = std::clamp(valueMax, LowestValueMax, HighestValueMax);
    // Both literals long double: in double, 655.35 * 50 is exactly 32767.5 and rounds up.
    const long double scale = (100.0L / valueMax) * 655.35L;
    return {std::llrintl(scale * leftLevel), std::llrintl(scale * rightLevel)};
}

quint16 clampToMixer(qint64 value) {
    return static_cast<quint16>(std::clamp<qint64>(value, 0, 65535));
}
