// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/DaemonLanguage.h"

#include "core/SettingsStore.h"
#include "core/StoreAccess.h"

const QString DaemonLanguage::ValueName = QStringLiteral("Daemon_Language");

Language DaemonLanguage::load(SettingsStore* store, MessageBoxes* messages) {
    const auto key = store ? store->openKey(ProgramKey, true) : nullptr;
    const qint32 stored = StoreReader(key.get(), messages).integer(ValueName, 0);
    return stored == static_cast<qint32>(Language::Russian) ? Language::Russian : Language::English;
}

void DaemonLanguage::save(SettingsStore* store, MessageBoxes* messages, Language language) {
    const auto key = store ? store->openKey(ProgramKey, true) : nullptr;
    if (!key)
        return;
    StoreWriter write(key.get(), messages);
    write.integer(ValueName, static_cast<qint32>(language));
    write.close();
}
