// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SystemMixerLine.h"

#include "core/LogCategories.h"
#include "sound/MixerLevelsRecord.h"

#include <algorithm>
#include <cmath>

SystemMixerLine::SystemMixerLine(MixerDevice* device, MixerLevelsRecord* record)
    : m_device(device)
    , m_record(record) {}

SystemMixerLine::~SystemMixerLine() {
    restoreUserLevels();
}

long SystemMixerLine::toRaw(quint16 value, const MixerDevice::Range& range) {
    const long double span = static_cast<long double>(range.max - range.min);
    return range.min + std::lround(value * span / 65535.0L);
}

bool SystemMixerLine::setLevels(quint16 left, quint16 right) {
    const auto range = m_device ? m_device->volumeRange() : std::nullopt;
    if (!range)
        return false;
    if (!m_userState)
        rememberUserLevels();

    MixerDevice::State wanted{toRaw(left, *range), toRaw(right, *range), true};
    if (m_device->isMono())
        wanted.right = wanted.left;
    if (!m_device->writeVolume(wanted.left, wanted.right)) {
        m_lastError = QStringLiteral("Volume SetControlError in Mixer");
        qCWarning(lcSound) << m_lastError;
        return false;
    }
    if (m_device->hasSwitch() && !m_device->writeSwitch(true)) {
        m_lastError = QStringLiteral("Mute SetControlError in Mixer");
        qCWarning(lcSound) << m_lastError;
        return false;
    }
    m_lastSet = wanted;
    return true;
}

void SystemMixerLine::rememberUserLevels() {
    // The device may still hold the levels it saw when the program started.
    m_device->handleEvents();
    m_userState = m_device->read();
    // The line changes whether or not the record could be kept: the placement is what the act
    // is for, and the levels still come back at the effect's end; only a crash meanwhile would
    // leave them changed.
    if (m_userState && m_record) {
        m_record->save(*m_userState);
        m_recordKept = true; // a refused save may still have kept part of it
    }
}

void SystemMixerLine::restoreUserLevels() {
    if (m_userState && !giveBack())
        return;
    m_userState.reset();
    m_lastSet.reset();
    forgetRecord();
}

bool SystemMixerLine::giveBack() {
    if (!m_device || !m_lastSet)
        return true; // nothing of ours is on the line
    // A level the user changed after our last change is theirs: leave it. Without the events
    // the device would report our own last levels, whatever the user did since.
    m_device->handleEvents();
    if (m_device->read() != m_lastSet)
        return true;
    return write(*m_userState);
}

bool SystemMixerLine::write(const MixerDevice::State& state) {
    return m_device->writeVolume(state.left, state.right) &&
           (!m_device->hasSwitch() || m_device->writeSwitch(state.switchOn));
}

void SystemMixerLine::forgetRecord() {
    if (m_recordKept)
        m_recordKept = !m_record->clear();
}

void SystemMixerLine::restoreRecordedLevels() {
    if (!m_record || !m_record->exists())
        return;
    std::optional<MixerDevice::State> kept = m_record->load();
    const auto range = m_device ? m_device->volumeRange() : std::nullopt;
    if (kept && !range) {
        qCInfo(lcSound) << "no mixer line to give the recorded levels back to; kept for later";
        return;
    }
    if (kept) {
        // The line may be another card's now, with another range.
        kept->left = std::clamp(kept->left, range->min, range->max);
        kept->right = std::clamp(kept->right, range->min, range->max);
        if (!write(*kept))
            return;
        qCInfo(lcSound) << "mixer levels of a run that ended without giving them back restored";
    }
    // An incomplete or unreadable record is dropped too: it would be reported at every start.
    m_recordKept = true;
    forgetRecord();
}
