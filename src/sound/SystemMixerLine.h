// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/MixerDevice.h"

#include <QString>

#include <optional>

// The line whose left and right levels place a ghost's sound. Levels are 0..65535 and are scaled
// onto the device's own range; every change also un-mutes the line. The user's own levels are
// remembered before the first change and given back at the end, unless the user has changed
// them meanwhile.
class SystemMixerLine {
public:
    explicit SystemMixerLine(MixerDevice* device);
    ~SystemMixerLine();
    SystemMixerLine(const SystemMixerLine&) = delete;
    SystemMixerLine& operator=(const SystemMixerLine&) = delete;

    // False when the line is missing or a call fails; lastError() then says which.
    bool setLevels(quint16 left, quint16 right);
    void restoreUserLevels();

    const QString& lastError() const { return m_lastError; }

    static long toRaw(quint16 value, const MixerDevice::Range& range);

private:
    MixerDevice* m_device;
    QString m_lastError;
    std::optional<MixerDevice::State> m_userState;
    std::optional<MixerDevice::State> m_lastSet;
};
