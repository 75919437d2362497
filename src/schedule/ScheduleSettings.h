// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "schedule/ScheduleLocation.h"

#include <QString>

#include <optional>

class SettingsStore;

// The evening's plan as kept under "Schedule\": off until a person turns it on. The rules are in
// their text form; a location is needed only by rules that follow the sun.
struct ScheduleSettings {
    bool enabled = false;
    QString rules;
    std::optional<ScheduleLocation> location;

    bool operator==(const ScheduleSettings&) const = default;
};

// Loads and saves ScheduleSettings. A value of the wrong type, or coordinates out of range, stop
// the load there (the rest keep their defaults) and its message is returned.
class ScheduleSettingsStore {
public:
    static const QString KeyPath;

    explicit ScheduleSettingsStore(SettingsStore* store);

    // Empty, or why a value was not taken.
    QString load(ScheduleSettings& settings) const;
    // Empty, or the store's message for a refused write.
    QString save(const ScheduleSettings& settings) const;

private:
    SettingsStore* m_store;
};
