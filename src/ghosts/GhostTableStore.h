// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class GhostTable;
class MessageBoxes;
class SettingsStore;

// Persists the ghost table under "SoftWare\Brannoch\Gloamery\Ghosts\": eleven values per ghost,
// 88 in all, named "Ghost_<n>_<field>".
class GhostTableStore {
public:
    static const char* const KeyPath;

    GhostTableStore(SettingsStore* store, MessageBoxes* messages);

    // Absent values take their defaults; a value of the wrong type is reported and takes its
    // default, and loading goes on with the rest.
    void load(GhostTable& table) const;
    // Writes all 88 values; the first failed write is reported and ends the save.
    void save(const GhostTable& table) const;

private:
    SettingsStore* m_store;
    MessageBoxes* m_messages;
};
