// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MessageBoxes.h"

#include <QStringList>

class SettingsStore;

// A message box waits for the user, and a store transaction held across it makes every other
// instance of the program wait on the file as long. So while the store has a key open, messages
// are held; they are shown when the key closes, those of one opening (one window's load or
// save) together in one box, one per line in the order they came.
class StoreMessageQueue : public MessageBoxes {
public:
    // Neither is owned; without a store every message is shown at once, without boxes none is.
    StoreMessageQueue(SettingsStore* store, MessageBoxes* boxes);
    ~StoreMessageQueue() override;
    StoreMessageQueue(const StoreMessageQueue&) = delete;
    StoreMessageQueue& operator=(const StoreMessageQueue&) = delete;

    void showError(const QString& text) override;

private:
    void showHeld();

    SettingsStore* m_store;
    MessageBoxes* m_boxes;
    QStringList m_held;
};
