#include "support/TempStore.h"

#include <sqlite3.h>

#include <stdexcept>

TempStore::TempStore()
    : m_store(std::make_unique<SettingsStore>(path())) {}

SettingsStore& TempStore::reopen() {
    m_store.reset();
    m_store = std::make_unique<SettingsStore>(path());
    return *m_store;
}

void TempStore::execSql(const char* sql) {
    sqlite3* db = nullptr;
    const QByteArray file = path().toUtf8();
    if (sqlite3_open(file.constData(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot open test database");
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &message);
    const std::string error = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("SQL failed: " + error);
}
