// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

struct sqlite3;
class SettingsKey;

// The per-user settings store: a tree of keys holding typed values, kept in one SQLite file.
// Key paths ("SoftWare\Brannoch\Gloamery\Ghosts\") and value names compare without regard to
// letter case and keep the case they were created with.
class SettingsStore {
public:
    // $GLOAMERY_SETTINGS, else $XDG_CONFIG_HOME/gloamery/settings.db (~/.config when unset).
    static QString defaultPath();

    static constexpr int DefaultBusyTimeoutMs = 5000;

    // Never deletes or rewrites a file it cannot use: the store is then unavailable and every
    // openKey() fails, which callers treat as missing values. `busyTimeoutMs` is how long to
    // wait for another program's lock on the file.
    explicit SettingsStore(const QString& filePath, int busyTimeoutMs = DefaultBusyTimeoutMs);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    const QString& filePath() const { return m_filePath; }
    bool isAvailable() const { return m_db != nullptr; }
    // Why the store is unavailable, or why its last operation failed.
    const QString& lastError() const { return m_lastError; }

    // Null when the key is missing (and not to be created) or the store cannot be used. Opening
    // with createIfMissing while another program holds the file's write lock still gives a key:
    // it reads what the lock lets through and every write fails, so a save reports the value it
    // could not keep instead of vanishing.
    std::unique_ptr<SettingsKey> openKey(const QString& path, bool createIfMissing);
    bool keyExists(const QString& path);

    // While a key is open the store holds a transaction that other instances wait on.
    bool holdsKeys() const { return m_openKeys > 0; }
    // Called each time the last open key has closed and the transaction has ended.
    void setIdleHandler(std::function<void()> handler) { m_idleHandler = std::move(handler); }

private:
    friend class SettingsKey;

    static QStringList splitPath(const QString& path);
    bool openDatabase();
    bool prepareSchema();
    bool exec(const char* sql);
    void fail(const QString& what);
    qint64 findChild(qint64 parent, const QString& name);
    qint64 createChild(qint64 parent, const QString& name);
    qint64 resolve(const QStringList& parts, bool create);

    enum class ValueType { String = 1, Binary = 3, Integer = 4 };
    struct ValueWrite {
        qint64 key;
        QString name;
        ValueType type;
        qint32 integer;
        QByteArray bytes;
        bool remove = false;
    };

    void beginTransaction(bool forWriting);
    bool commitTransaction();
    bool store(const ValueWrite& write);
    bool remove(const ValueWrite& write);
    // A failed statement can make SQLite roll back the whole transaction; the writes before it
    // must still reach the file, so they are kept and replayed.
    bool writeValue(const ValueWrite& write);

    QString m_filePath;
    QString m_lastError;
    sqlite3* m_db = nullptr;
    int m_busyTimeoutMs;
    int m_openKeys = 0;
    bool m_writable = false;
    bool m_inTransaction = false;
    // The write lock could not be had for this transaction: writes fail at once.
    bool m_lockedOut = false;
    std::function<void()> m_idleHandler;
    std::vector<ValueWrite> m_writesInTransaction;
};

// One open key. Writes become durable when the key is closed (or destroyed).
class SettingsKey {
public:
    ~SettingsKey();
    SettingsKey(const SettingsKey&) = delete;
    SettingsKey& operator=(const SettingsKey&) = delete;

    const QString& path() const { return m_path; }

    bool valueExists(const QString& name) const;

    // These throw StoreError("Invalid data type for '<name>'") when the stored type differs or
    // the value is missing.
    qint32 readInteger(const QString& name) const;
    bool readBool(const QString& name) const;
    QString readString(const QString& name) const;
    QByteArray readBinary(const QString& name) const;

    // These throw StoreError("Failed to set data for '<name>'"); earlier writes stay.
    void writeInteger(const QString& name, qint32 value);
    void writeBool(const QString& name, bool value);
    void writeString(const QString& name, const QString& value);
    void writeBinary(const QString& name, const QByteArray& value);
    // Removing a value that does not exist is no error.
    void deleteValue(const QString& name);

    // Commits what this key wrote; throws StoreError when the commit fails.
    void close();

private:
    friend class SettingsStore;

    SettingsKey(SettingsStore& store, qint64 id, QString path);
    void write(const QString& name, SettingsStore::ValueType type, qint32 integer,
               const QByteArray& bytes);
    // The stored type tag and SQLite's column type must both match: a string is never read as an
    // integer, whatever SQLite could convert.
    bool fetch(const QString& name, SettingsStore::ValueType type, qint64* integer,
               QByteArray* bytes) const;

    SettingsStore* m_store;
    qint64 m_id;
    QString m_path;
    QString m_lastWritten;
    bool m_open = true;
};
