// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TempStore.h"

#include <sqlite3.h>
#include <stdexcept>

namespace {

sqlite3* openRaw(const QString& file) {
    sqlite3* db = nullptr;
    const QByteArray name = file.toUtf8();
    if (sqlite3_open(name.constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open test database");
    }
    sqlite3_busy_timeout(db, 5000);
    return db;
}

} // namespace

TempStore::TempStore()
    : m_store(std::make_unique<SettingsStore>(path())) {}

SettingsStore& TempStore::reopen() {
    m_store.reset();
    m_store = std::make_unique<SettingsStore>(path());
    return *m_store;
}

void TempStore::execSqlOn(const QString& file, const char* sql) {
    sqlite3* db = openRaw(file);
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &message);
    const std::string error = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("SQL failed: " + error);
}

QString TempStore::querySingle(const char* sql) const {
    sqlite3* db = openRaw(path());
    sqlite3_stmt* statement = nullptr;
    QString result;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        result = QString::fromUtf8(text ? text : "");
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return result;
}
