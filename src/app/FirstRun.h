// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class MessageBoxes;
class SettingsStore;

// Whether this is the program's first start, when the main window shows its presentation once.
// Stored as "Premier" in the program key.
class FirstRun {
public:
    FirstRun(SettingsStore* store, MessageBoxes* messages);
    // Writes the flag, if it was loaded and not written since.
    ~FirstRun();
    FirstRun(const FirstRun&) = delete;
    FirstRun& operator=(const FirstRun&) = delete;

    void loadSettings();
    // Failures are ignored: at worst the presentation runs again at the next start.
    void saveSettings();
    // True until the presentation has started once.
    bool pending() const { return m_pending; }
    // The presentation has started: from the next start on there is none.
    void usedUp() { m_pending = false; }

private:
    SettingsStore* m_store;
    MessageBoxes* m_messages;
    bool m_pending = true;
    bool m_loaded = false;
};
