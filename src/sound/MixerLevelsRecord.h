// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/MixerDevice.h"

#include <QString>

#include <optional>

class MessageBoxes;
class SettingsStore;

// The user's own levels of the mixer line, kept in the settings store for as long as the program
// has the line changed. The line may be every program's output (PipeWire, PulseAudio), so a run
// that dies before giving them back must not leave the desktop at a ghost's levels for good: the
// next start finds them here.
class MixerLevelsRecord {
public:
    static const QString LeftName;
    static const QString RightName;
    static const QString SwitchName;

    // Either may be null: without a store nothing is kept; without messages a wrong-typed value
    // is only logged.
    MixerLevelsRecord(SettingsStore* store, MessageBoxes* messages);

    // Whether any of the values is there, complete or not.
    bool exists() const;
    // Empty when a value is missing or of the wrong type (reported like any other value read
    // at start).
    std::optional<MixerDevice::State> load() const;
    // False when the store refused or cannot be used. A refusal is logged, never shown: it comes
    // from a ghost's act, not from anything the user did.
    bool save(const MixerDevice::State& levels);
    // True when nothing is kept any more.
    bool clear();

private:
    SettingsStore* m_store;
    MessageBoxes* m_messages;
};
