// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/StoreMessageQueue.h"

#include "core/SettingsStore.h"

StoreMessageQueue::StoreMessageQueue(SettingsStore* store, MessageBoxes* boxes)
    : m_store(store)
    , m_boxes(boxes) {
    if (m_store)
        m_store->setIdleHandler([this] { showHeld(); });
}

StoreMessageQueue::~StoreMessageQueue() {
    if (m_store)
        m_store->setIdleHandler({});
}

void StoreMessageQueue::showError(const QString& text) {
    m_held.append(text);
    if (!m_store || !m_store->holdsKeys())
        showHeld();
}

void StoreMessageQueue::showHeld() {
    if (m_held.isEmpty())
        return;
    // Taken first: the box's own event loop may bring the next message.
    const QString text = m_held.join(QLatin1Char('\n'));
    m_held.clear();
    if (m_boxes)
        m_boxes->showError(text);
}
