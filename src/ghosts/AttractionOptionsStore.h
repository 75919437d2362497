// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AttractionOptions.h"

class MessageBoxes;
class SettingsStore;

// Keeps the attraction's options in the program key: "Attraction_Time", "Attraction_Over_1",
// "Attraction_Over_2", "Attraction_Autostart".
class AttractionOptionsStore {
public:
    // Either may be null: no store reads defaults and keeps nothing; no message boxes only logs.
    AttractionOptionsStore(SettingsStore* store, MessageBoxes* messages);

    // A missing value, or one of the wrong type (reported), takes its default.
    AttractionOptions load() const;
    // The first failed write is reported and ends the save.
    void save(const AttractionOptions& options) const;

private:
    SettingsStore* m_store;
    MessageBoxes* m_messages;
};
