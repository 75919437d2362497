// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SettingsStore.h"

#include <QTemporaryDir>

#include <memory>

// A real settings database in a fresh temporary folder.
class TempStore {
public:
    TempStore();

    QString path() const { return m_dir.filePath(QStringLiteral("settings.db")); }
    SettingsStore& store() { return *m_store; }
    // Closes and opens the file again, as the next start of the program would.
    SettingsStore& reopen();
    void close() { m_store.reset(); }

    // Run SQL on the file directly, behind the store's back (faults, odd contents, inspection).
    void execSql(const char* sql) const { execSqlOn(path(), sql); }
    static void execSqlOn(const QString& file, const char* sql);
    // The first column of the first row, as text; empty when there is no row.
    QString querySingle(const char* sql) const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_store;
};
