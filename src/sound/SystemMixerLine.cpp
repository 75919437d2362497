// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SystemMixerLine.h"

#include "core/LogCategories.h"

#include <cmath>

SystemMixerLine::SystemMixerLine(MixerDevice* device)
    : m_device(device) {}

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
    if (!m_userState) {
        // The device may still hold the levels it saw when the program started.
        m_device->handleEvents();
        m_userState = m_device->read();
    }

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

void SystemMixerLine::restoreUserLevels() {
    if (!m_device || !m_userState || !m_lastSet)
        return;
    // A level the user changed after our last change is theirs: leave it. Without the events
    // the device would report our own last levels, whatever the user did since.
    m_device->handleEvents();
    if (m_device->read() != m_lastSet)
        return;
    m_device->writeVolume(m_userState->left, m_userState->right);
    if (m_device->hasSwitch())
        m_device->writeSwitch(m_userState->switchOn);
    m_lastSet.reset();
    m_userState.reset();
}
