// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/MixerLevelsRecord.h"

#include "core/LogCategories.h"
#include "core/SettingsStore.h"
#include "core/StoreAccess.h"

#include <algorithm>
#include <limits>

const QString MixerLevelsRecord::LeftName = QStringLiteral("Mixer_User_Left");
const QString MixerLevelsRecord::RightName = QStringLiteral("Mixer_User_Right");
const QString MixerLevelsRecord::SwitchName = QStringLiteral("Mixer_User_Switch");

namespace {

// Below any level a mixer has: marks a value that was missing or unreadable.
constexpr qint32 Unread = std::numeric_limits<qint32>::min();

qint32 toStored(long level) {
    return static_cast<qint32>(
        std::clamp<long>(level, Unread + 1, std::numeric_limits<qint32>::max()));
}

} // namespace

MixerLevelsRecord::MixerLevelsRecord(SettingsStore* store, MessageBoxes* messages)
    : m_store(store)
    , m_messages(messages) {}

bool MixerLevelsRecord::exists() const {
    const auto key = m_store ? m_store->openKey(ProgramKey, false) : nullptr;
    return key && (key->valueExists(LeftName) || key->valueExists(RightName) ||
                   key->valueExists(SwitchName));
}

std::optional<MixerDevice::State> MixerLevelsRecord::load() const {
    const auto key = m_store ? m_store->openKey(ProgramKey, false) : nullptr;
    const StoreReader read(key.get(), m_messages);
    const qint32 left = read.integer(LeftName, Unread);
    const qint32 right = read.integer(RightName, Unread);
    const qint32 switchOn = read.integer(SwitchName, Unread);
    if (left == Unread || right == Unread || switchOn == Unread)
        return std::nullopt;
    return MixerDevice::State{left, right, switchOn != 0};
}

bool MixerLevelsRecord::save(const MixerDevice::State& levels) {
    // An unusable store was reported once at start; nothing can be kept in it.
    if (!m_store || !m_store->isAvailable())
        return false;
    const auto key = m_store->openKey(ProgramKey, true);
    StoreWriter write(key.get(), nullptr);
    write.integer(LeftName, toStored(levels.left));
    write.integer(RightName, toStored(levels.right));
    write.boolean(SwitchName, levels.switchOn);
    write.close();
    if (write.failed())
        qCWarning(lcSound) << "the mixer levels to give back could not be stored:"
                           << m_store->lastError();
    return !write.failed();
}

bool MixerLevelsRecord::clear() {
    if (!m_store || !m_store->isAvailable())
        return true; // nothing can be in it
    const auto key = m_store->openKey(ProgramKey, true);
    StoreWriter write(key.get(), nullptr);
    for (const QString& name : {LeftName, RightName, SwitchName})
        write.remove(name);
    write.close();
    if (write.failed())
        qCWarning(lcSound) << "the mixer levels given back could not be removed from the store:"
                           << m_store->lastError();
    return !write.failed();
}
