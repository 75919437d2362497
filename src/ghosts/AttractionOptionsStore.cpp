// SPDX-License-Identifier: GPL-3.0-or-later
#include "ghosts/AttractionOptionsStore.h"

#include "core/SettingsStore.h"
#include "core/StoreAccess.h"

namespace {

const QString TimeName = QStringLiteral("Attraction_Time");
const QString Over1Name = QStringLiteral("Attraction_Over_1");
const QString Over2Name = QStringLiteral("Attraction_Over_2");
const QString AutostartName = QStringLiteral("Attraction_Autostart");

} // namespace

AttractionOptionsStore::AttractionOptionsStore(SettingsStore* store, MessageBoxes* messages)
    : m_store(store)
    , m_messages(messages) {}

AttractionOptions AttractionOptionsStore::load() const {
    const auto key = m_store ? m_store->openKey(ProgramKey, true) : nullptr;
    const StoreReader read(key.get(), m_messages);
    const AttractionOptions defaults;
    AttractionOptions options;
    options.Attraction_Time = read.integer(TimeName, defaults.Attraction_Time);
    options.Attraction_Over_1 = read.boolean(Over1Name, defaults.Attraction_Over_1);
    options.Attraction_Over_2 = read.boolean(Over2Name, defaults.Attraction_Over_2);
    options.Attraction_Autostart = read.boolean(AutostartName, defaults.Attraction_Autostart);
    return options;
}

void AttractionOptionsStore::save(const AttractionOptions& options) const {
    const auto key = m_store ? m_store->openKey(ProgramKey, true) : nullptr;
    if (!key)
        return;
    StoreWriter write(key.get(), m_messages);
    write.integer(TimeName, options.Attraction_Time);
    write.boolean(Over1Name, options.Attraction_Over_1);
    write.boolean(Over2Name, options.Attraction_Over_2);
    write.boolean(AutostartName, options.Attraction_Autostart);
    write.close();
}
