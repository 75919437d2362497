// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FirstRun.h"

#include "core/MessageBoxes.h"
#include "core/SettingsStore.h"
#include "core/StoreAccess.h"
#include "core/StoreError.h"

namespace {

const QString PremierValue = QStringLiteral("Premier");

} // namespace

FirstRun::FirstRun(SettingsStore* store, MessageBoxes* messages)
    : m_store(store)
    , m_messages(messages) {}

FirstRun::~FirstRun() {
    if (m_loaded)
        saveSettings();
}

void FirstRun::saveSettings() {
    m_loaded = false;
    const auto key = m_store ? m_store->openKey(ProgramKey, true) : nullptr;
    StoreWriter write(key.get(), nullptr);
    write.boolean(PremierValue, m_pending);
    write.close();
}

void FirstRun::loadSettings() {
    m_loaded = true;
    const auto key = m_store ? m_store->openKey(ProgramKey, true) : nullptr;
    // An unusable store, or no "Premier" yet: a first start.
    if (!key || !key->valueExists(PremierValue)) {
        m_pending = true;
        return;
    }
    try {
        m_pending = key->readBool(PremierValue);
    } catch (const StoreError& error) {
        // Start-up goes on without a presentation.
        m_pending = false;
        if (m_messages)
            m_messages->showError(error.message());
    }
}
