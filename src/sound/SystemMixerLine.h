// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/MixerDevice.h"

#include <QString>

#include <optional>

class MixerLevelsRecord;

// The line whose left and right levels place a ghost's sound. Levels are 0..65535 and are scaled
// onto the device's own range; every change also un-mutes the line. The line is the desktop's,
// not ours: the user's own levels are remembered before the first change (and kept in the
// record meanwhile) and given back when the effect is over, unless the user has changed them
// since our last change.
class SystemMixerLine {
public:
    // `record` may be null: the levels are then kept in memory only.
    explicit SystemMixerLine(MixerDevice* device, MixerLevelsRecord* record = nullptr);
    ~SystemMixerLine();
    SystemMixerLine(const SystemMixerLine&) = delete;
    SystemMixerLine& operator=(const SystemMixerLine&) = delete;

    // False when the line is missing or a call fails; lastError() then says which.
    bool setLevels(quint16 left, quint16 right);
    // Until it is called, further changes keep the levels first remembered: a sound that cuts
    // off another one mid-effect must not take the first one's levels for the user's.
    void restoreUserLevels();
    // Levels a run left in the record without giving them back (it crashed or was killed) are
    // given back now. Kept for the next start while the line is missing.
    void restoreRecordedLevels();

    const QString& lastError() const { return m_lastError; }

    static long toRaw(quint16 value, const MixerDevice::Range& range);

private:
    void rememberUserLevels();
    // False when the line refused them; they are tried again at the next restore.
    bool giveBack();
    bool write(const MixerDevice::State& state);
    void forgetRecord();

    MixerDevice* m_device;
    MixerLevelsRecord* m_record;
    QString m_lastError;
    std::optional<MixerDevice::State> m_userState;
    std::optional<MixerDevice::State> m_lastSet;
    bool m_recordKept = false;
};
