// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/ValueMaxStore.h"

#include "core/SettingsStore.h"
#include "core/StoreAccess.h"

namespace {

const QString ValueMaxName = QStringLiteral("Value_Max");

} // namespace

ValueMaxStore::ValueMaxStore(SettingsStore* store, MessageBoxes* messages)
    : m_store(store)
    , m_messages(messages) {}

qint32 ValueMaxStore::load() const {
    const auto key = m_store ? m_store->openKey(ProgramKey, true) : nullptr;
    return StoreReader(key.get(), m_messages).integer(ValueMaxName, Default);
}

void ValueMaxStore::save(qint32 valueMax) const {
    const auto key = m_store ? m_store->openKey(ProgramKey, true) : nullptr;
    if (!key)
        return;
    StoreWriter write(key.get(), m_messages);
    write.integer(ValueMaxName, valueMax);
    write.close();
}
