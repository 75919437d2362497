// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

class MessageBoxes;
class SettingsStore;

// Keeps the loudest level the mixer is driven to, "Value_Max", in the program key.
class ValueMaxStore {
public:
    static constexpr qint32 Default = 100;

    // Either may be null: no store reads the default and keeps nothing; no message boxes only logs.
    ValueMaxStore(SettingsStore* store, MessageBoxes* messages);

    // Taken as stored: the scale brings it into range when it is used.
    qint32 load() const;
    void save(qint32 valueMax) const;

private:
    SettingsStore* m_store;
    MessageBoxes* m_messages;
};
