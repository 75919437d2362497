// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SettingsStore.h"

#include "core/LogCategories.h"
#include "core/StoreError.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <limits>
#include <sqlite3.h>

namespace {

// "GLMR": marks a database as ours, so a foreign SQLite file given by mistake is left alone.
constexpr int ApplicationId = 0x474C4D52;
constexpr int SchemaVersion = 1;

const char* const SchemaSql = R"sql(
CREATE TABLE keys(
    id     INTEGER PRIMARY KEY,
    parent INTEGER NOT NULL,
    name   TEXT NOT NULL,
    fold   TEXT NOT NULL,
    UNIQUE(parent, fold));
CREATE TABLE key_values(
    key  INTEGER NOT NULL REFERENCES keys(id),
    name TEXT NOT NULL,
    fold TEXT NOT NULL,
    type INTEGER NOT NULL,
    data BLOB,
    PRIMARY KEY(key, fold)) WITHOUT ROWID;
CREATE VIEW settings AS
    WITH RECURSIVE paths(id, path) AS (
        SELECT id, name FROM keys WHERE parent = 0
        UNION ALL
        SELECT keys.id, paths.path || '\' || keys.name FROM keys JOIN paths ON keys.parent = paths.id)
    SELECT paths.path AS key, key_values.name AS name,
           CASE key_values.type WHEN 1 THEN 'string' WHEN 3 THEN 'binary' WHEN 4 THEN 'integer'
                ELSE 'unknown' END AS type,
           key_values.data AS data
    FROM key_values JOIN paths ON paths.id = key_values.key;
)sql";

QString fold(const QString& name) {
    return name.toCaseFolded();
}

// Owns one prepared statement; binds and steps with SQLite's own error codes.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
            m_stmt = nullptr;
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool valid() const { return m_stmt != nullptr; }
    sqlite3_stmt* get() const { return m_stmt; }

    void bind(int index, qint64 value) { sqlite3_bind_int64(m_stmt, index, value); }
    void bind(int index, const QString& text) {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(m_stmt, index, utf8.constData(), static_cast<int>(utf8.size()),
                          SQLITE_TRANSIENT);
    }
    void bindBlob(int index, const QByteArray& bytes) {
        // An empty block is still a block, not NULL.
        sqlite3_bind_blob(m_stmt, index, bytes.isEmpty() ? "" : bytes.constData(),
                          static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    }

    int step() { return m_stmt ? sqlite3_step(m_stmt) : SQLITE_ERROR; }

private:
    sqlite3_stmt* m_stmt = nullptr;
};

} // namespace

QString SettingsStore::defaultPath() {
    const QString explicitPath = qEnvironmentVariable("GLOAMERY_SETTINGS");
    if (!explicitPath.isEmpty())
        return explicitPath;
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty())
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return configHome + QStringLiteral("/gloamery/settings.db");
}

SettingsStore::SettingsStore(const QString& filePath, int busyTimeoutMs)
    : m_filePath(filePath)
    , m_busyTimeoutMs(busyTimeoutMs) {
    if (!openDatabase() || !prepareSchema()) {
        // Whoever made the store tells the user, in a box or on a line of its own.
        qCInfo(lcStore) << "settings store" << m_filePath << "unavailable:" << m_lastError;
        sqlite3_close(m_db);
        m_db = nullptr;
    }
}

SettingsStore::~SettingsStore() {
    sqlite3_close(m_db);
}

bool SettingsStore::openDatabase() {
    const QFileInfo info(m_filePath);
    QDir().mkpath(info.absolutePath());
    const QByteArray path = QFile::encodeName(m_filePath);
    int rc = sqlite3_open_v2(path.constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                             nullptr);
    m_writable = rc == SQLITE_OK;
    if (rc != SQLITE_OK) {
        sqlite3_close(m_db);
        m_db = nullptr;
        // A file we may read but not write still gives the user's settings.
        rc = sqlite3_open_v2(path.constData(), &m_db, SQLITE_OPEN_READONLY, nullptr);
    }
    if (rc != SQLITE_OK) {
        fail(QStringLiteral("it cannot be opened or created"));
        return false;
    }
    sqlite3_busy_timeout(m_db, m_busyTimeoutMs);
    sqlite3_extended_result_codes(m_db, 1);
    return true;
}

bool SettingsStore::prepareSchema() {
    // The first query is where SQLite notices that a file is not a database at all.
    Statement tables(m_db, "SELECT count(*) FROM sqlite_master");
    if (!tables.valid() || tables.step() != SQLITE_ROW) {
        const bool locked = (sqlite3_errcode(m_db) & 0xff) == SQLITE_BUSY;
        fail(locked ? QStringLiteral("another program holds it locked")
                    : QStringLiteral("it is not a settings database"));
        return false;
    }
    const bool empty = sqlite3_column_int(tables.get(), 0) == 0;

    Statement appId(m_db, "PRAGMA application_id");
    const int id = appId.step() == SQLITE_ROW ? sqlite3_column_int(appId.get(), 0) : 0;

    if (!empty) {
        if (id != ApplicationId) {
            fail(QStringLiteral("it belongs to another program"));
            return false;
        }
        return true;
    }
    if (!m_writable) {
        fail(QStringLiteral("it is empty and read-only"));
        return false;
    }
    const QByteArray pragmas =
        QStringLiteral("PRAGMA application_id = %1; PRAGMA user_version = %2;")
            .arg(ApplicationId)
            .arg(SchemaVersion)
            .toUtf8();
    if (!exec("BEGIN IMMEDIATE"))
        return false;
    if (!exec(SchemaSql) || !exec(pragmas.constData()) || !exec("COMMIT")) {
        exec("ROLLBACK");
        return false;
    }
    return true;
}

bool SettingsStore::exec(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    fail(QString::fromUtf8(message ? message : sqlite3_errmsg(m_db)));
    sqlite3_free(message);
    return false;
}

void SettingsStore::fail(const QString& what) {
    m_lastError = what;
    if (m_db)
        m_lastError += QStringLiteral(" (%1)").arg(QString::fromUtf8(sqlite3_errmsg(m_db)));
}

QStringList SettingsStore::splitPath(const QString& path) {
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

qint64 SettingsStore::findChild(qint64 parent, const QString& name) {
    Statement find(m_db, "SELECT id FROM keys WHERE parent = ?1 AND fold = ?2");
    find.bind(1, parent);
    find.bind(2, fold(name));
    return find.step() == SQLITE_ROW ? sqlite3_column_int64(find.get(), 0) : -1;
}

qint64 SettingsStore::createChild(qint64 parent, const QString& name) {
    Statement insert(m_db, "INSERT INTO keys(parent, name, fold) VALUES(?1, ?2, ?3)");
    insert.bind(1, parent);
    insert.bind(2, name);
    insert.bind(3, fold(name));
    if (insert.step() != SQLITE_DONE) {
        fail(QStringLiteral("cannot create key %1").arg(name));
        return -1;
    }
    return sqlite3_last_insert_rowid(m_db);
}

qint64 SettingsStore::resolve(const QStringList& parts, bool create) {
    qint64 id = 0; // the root
    for (const QString& part : parts) {
        qint64 child = findChild(id, part);
        if (child < 0 && create)
            child = createChild(id, part);
        if (child < 0)
            return -1;
        id = child;
    }
    return id;
}

void SettingsStore::beginTransaction(bool forWriting) {
    if (m_openKeys++ > 0)
        return;
    m_writesInTransaction.clear();
    m_lockedOut = false;
    // Taking the write lock up front lets the busy timeout apply to a second instance saving at
    // the same time; a read-only file still allows reading.
    if (forWriting && exec("BEGIN IMMEDIATE")) {
        m_inTransaction = true;
        return;
    }
    if (forWriting) {
        // Waited once already: what the lock allows is read at once, the rest fails at once, so
        // a window's save costs one wait rather than one per value.
        m_lockedOut = true;
        sqlite3_busy_timeout(m_db, 0);
    }
    m_inTransaction = exec("BEGIN");
}

bool SettingsStore::commitTransaction() {
    if (--m_openKeys > 0)
        return true;
    bool committed = true;
    if (m_inTransaction) {
        m_inTransaction = false;
        committed = sqlite3_get_autocommit(m_db) != 0 || exec("COMMIT");
        if (!committed)
            exec("ROLLBACK");
        m_writesInTransaction.clear();
    }
    if (m_lockedOut) {
        m_lockedOut = false;
        sqlite3_busy_timeout(m_db, m_busyTimeoutMs);
    }
    if (m_idleHandler)
        m_idleHandler();
    return committed;
}

bool SettingsStore::store(const ValueWrite& write) {
    if (write.remove)
        return remove(write);
    Statement upsert(m_db, "INSERT INTO key_values(key, name, fold, type, data) "
                           "VALUES(?1, ?2, ?3, ?4, ?5) "
                           "ON CONFLICT(key, fold) DO UPDATE SET type = ?4, data = ?5");
    upsert.bind(1, write.key);
    upsert.bind(2, write.name);
    upsert.bind(3, fold(write.name));
    upsert.bind(4, static_cast<qint64>(write.type));
    switch (write.type) {
    case ValueType::Integer:
        upsert.bind(5, static_cast<qint64>(write.integer));
        break;
    case ValueType::String:
        sqlite3_bind_text(upsert.get(), 5, write.bytes.constData(),
                          static_cast<int>(write.bytes.size()), SQLITE_TRANSIENT);
        break;
    case ValueType::Binary:
        upsert.bindBlob(5, write.bytes);
        break;
    }
    if (upsert.step() == SQLITE_DONE)
        return true;
    fail(QStringLiteral("cannot write %1").arg(write.name));
    return false;
}

bool SettingsStore::remove(const ValueWrite& write) {
    Statement drop(m_db, "DELETE FROM key_values WHERE key = ?1 AND fold = ?2");
    drop.bind(1, write.key);
    drop.bind(2, fold(write.name));
    if (drop.step() == SQLITE_DONE)
        return true;
    fail(QStringLiteral("cannot delete %1").arg(write.name));
    return false;
}

bool SettingsStore::writeValue(const ValueWrite& write) {
    if (m_lockedOut) {
        fail(QStringLiteral("another program holds the settings file"));
        return false;
    }
    if (!store(write)) {
        if (m_inTransaction && sqlite3_get_autocommit(m_db) != 0) {
            qCWarning(lcStore) << "transaction rolled back by SQLite; replaying earlier writes";
            bool replayed = exec("BEGIN IMMEDIATE");
            for (const ValueWrite& earlier : m_writesInTransaction)
                replayed = replayed && store(earlier);
            if (!replayed)
                qCWarning(lcStore) << "earlier writes could not be replayed:" << m_lastError;
        }
        return false;
    }
    if (m_inTransaction)
        m_writesInTransaction.push_back(write);
    return true;
}

std::unique_ptr<SettingsKey> SettingsStore::openKey(const QString& path, bool createIfMissing) {
    if (!m_db)
        return nullptr;
    const bool forWriting = createIfMissing && m_writable;
    beginTransaction(forWriting);
    const qint64 id = resolve(splitPath(path), forWriting);
    if (id < 0 && !(forWriting && m_lockedOut)) {
        commitTransaction();
        return nullptr;
    }
    return std::unique_ptr<SettingsKey>(new SettingsKey(*this, id, path));
}

bool SettingsStore::keyExists(const QString& path) {
    if (!m_db)
        return false;
    return resolve(splitPath(path), false) >= 0;
}

SettingsKey::SettingsKey(SettingsStore& store, qint64 id, QString path)
    : m_store(&store)
    , m_id(id)
    , m_path(std::move(path)) {}

SettingsKey::~SettingsKey() {
    try {
        close();
    } catch (const StoreError& error) {
        qCWarning(lcStore) << error.message();
    }
}

void SettingsKey::close() {
    if (!m_open)
        return;
    m_open = false;
    if (!m_store->commitTransaction())
        throw StoreError::writeFailed(m_lastWritten.isEmpty() ? m_path : m_lastWritten);
}

bool SettingsKey::valueExists(const QString& name) const {
    Statement find(m_store->m_db, "SELECT 1 FROM key_values WHERE key = ?1 AND fold = ?2");
    find.bind(1, m_id);
    find.bind(2, fold(name));
    return find.step() == SQLITE_ROW;
}

bool SettingsKey::fetch(const QString& name, SettingsStore::ValueType type, qint64* integer,
                        QByteArray* bytes) const {
    Statement find(m_store->m_db, "SELECT type, data FROM key_values WHERE key = ?1 AND fold = ?2");
    find.bind(1, m_id);
    find.bind(2, fold(name));
    if (find.step() != SQLITE_ROW)
        return false;
    if (sqlite3_column_int(find.get(), 0) != static_cast<int>(type))
        return false;
    sqlite3_stmt* row = find.get();
    switch (type) {
    case SettingsStore::ValueType::Integer:
        if (sqlite3_column_type(row, 1) != SQLITE_INTEGER)
            return false;
        *integer = sqlite3_column_int64(row, 1);
        return true;
    case SettingsStore::ValueType::String:
        if (sqlite3_column_type(row, 1) != SQLITE_TEXT)
            return false;
        break;
    case SettingsStore::ValueType::Binary:
        if (sqlite3_column_type(row, 1) != SQLITE_BLOB)
            return false;
        break;
    }
    const auto* data = static_cast<const char*>(sqlite3_column_blob(row, 1));
    *bytes = QByteArray(data, sqlite3_column_bytes(row, 1));
    return true;
}

qint32 SettingsKey::readInteger(const QString& name) const {
    qint64 value = 0;
    if (!fetch(name, SettingsStore::ValueType::Integer, &value, nullptr) ||
        value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        throw StoreError::invalidType(name);
    return static_cast<qint32>(value);
}

bool SettingsKey::readBool(const QString& name) const {
    return readInteger(name) != 0;
}

QString SettingsKey::readString(const QString& name) const {
    QByteArray utf8;
    if (!fetch(name, SettingsStore::ValueType::String, nullptr, &utf8))
        throw StoreError::invalidType(name);
    return QString::fromUtf8(utf8);
}

QByteArray SettingsKey::readBinary(const QString& name) const {
    QByteArray bytes;
    if (!fetch(name, SettingsStore::ValueType::Binary, nullptr, &bytes))
        throw StoreError::invalidType(name);
    return bytes;
}

void SettingsKey::write(const QString& name, SettingsStore::ValueType type, qint32 integer,
                        const QByteArray& bytes) {
    if (!m_open || !m_store->writeValue({m_id, name, type, integer, bytes}))
        throw StoreError::writeFailed(name);
    m_lastWritten = name;
}

void SettingsKey::deleteValue(const QString& name) {
    if (!m_open || !m_store->writeValue({m_id, name, {}, 0, {}, true}))
        throw StoreError::writeFailed(name);
    m_lastWritten = name;
}

void SettingsKey::writeInteger(const QString& name, qint32 value) {
    write(name, SettingsStore::ValueType::Integer, value, {});
}

void SettingsKey::writeBool(const QString& name, bool value) {
    writeInteger(name, value ? 1 : 0);
}

void SettingsKey::writeString(const QString& name, const QString& value) {
    write(name, SettingsStore::ValueType::String, 0, value.toUtf8());
}

void SettingsKey::writeBinary(const QString& name, const QByteArray& value) {
    write(name, SettingsStore::ValueType::Binary, 0, value);
}
