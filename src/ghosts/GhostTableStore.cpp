// SPDX-License-Identifier: GPL-3.0-or-later
#include "ghosts/GhostTableStore.h"

#include "core/SettingsStore.h"
#include "core/StoreAccess.h"
#include "ghosts/GhostTable.h"

const char* const GhostTableStore::KeyPath = "SoftWare\\Brannoch\\Gloamery\\Ghosts\\";

namespace {

QString valueName(int ghost, const char* field) {
    return QStringLiteral("Ghost_%1_%2").arg(ghost).arg(QLatin1String(field));
}

// The integer fields in store order, after Name and ON.
struct IntegerField {
    const char* name;
    qint32 GhostSettings::*field;
    qint32 fallback;
};

constexpr IntegerField IntegerFields[] = {
    {"Nrav_1", &GhostSettings::Nrav_1, 1},
    {"Nrav_2", &GhostSettings::Nrav_2, 1},
    {"Nrav_3", &GhostSettings::Nrav_3, 1},
    {"Nrav_4", &GhostSettings::Nrav_4, 1},
    {"Regime", &GhostSettings::Regime, 0},
    {"Special", &GhostSettings::Special, 0},
    {"Regime_Dop_1", &GhostSettings::Regime_Dop_1, 0},
    {"Regime_Dop_1a", &GhostSettings::Regime_Dop_1a, 0},
    {"Special_Dop_1", &GhostSettings::Special_Dop_1, 0},
};

} // namespace

GhostTableStore::GhostTableStore(SettingsStore* store, MessageBoxes* messages)
    : m_store(store)
    , m_messages(messages) {}

void GhostTableStore::load(GhostTable& table) const {
    const auto key = m_store ? m_store->openKey(QString::fromLatin1(KeyPath), true) : nullptr;
    const StoreReader read(key.get(), m_messages);
    for (int n = 1; n <= GhostTable::GhostCount; ++n) {
        GhostSettings& ghost = table[n];
        ghost.Name = read.string(valueName(n, "Name"), QStringLiteral("Ghost_%1").arg(n));
        ghost.ON = read.boolean(valueName(n, "ON"), false);
        for (const IntegerField& field : IntegerFields)
            ghost.*field.field = read.integer(valueName(n, field.name), field.fallback);
    }
}

void GhostTableStore::save(const GhostTable& table) const {
    const auto key = m_store ? m_store->openKey(QString::fromLatin1(KeyPath), true) : nullptr;
    if (!key)
        return; // an unusable store: nothing to report, the user's file stays as it is
    StoreWriter write(key.get(), m_messages);
    for (int n = 1; n <= GhostTable::GhostCount; ++n) {
        const GhostSettings& ghost = table[n];
        write.string(valueName(n, "Name"), ghost.Name);
        write.boolean(valueName(n, "ON"), ghost.ON);
        for (const IntegerField& field : IntegerFields)
            write.integer(valueName(n, field.name), ghost.*field.field);
    }
    write.close();
}
