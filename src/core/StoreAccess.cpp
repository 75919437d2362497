// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/StoreAccess.h"

#include "core/LogCategories.h"
#include "core/MessageBoxes.h"
#include "core/SettingsStore.h"
#include "core/StoreError.h"

QString unusableStoreMessage(const SettingsStore& store) {
    return QStringLiteral("The settings file %1 cannot be used: %2.\n\nGloamery starts with its "
                          "default settings, and changes made now will not be kept.")
        .arg(store.filePath(), store.lastError());
}

StoreReader::StoreReader(const SettingsKey* key, MessageBoxes* messages)
    : m_key(key)
    , m_messages(messages) {}

template <typename T, typename Read>
T StoreReader::read(const QString& name, const T& fallback, Read readValue) const {
    if (!m_key || !m_key->valueExists(name))
        return fallback;
    try {
        return readValue();
    } catch (const StoreError& error) {
        qCWarning(lcStore) << error.message();
        if (m_messages)
            m_messages->showError(error.message());
        return fallback;
    }
}

qint32 StoreReader::integer(const QString& name, qint32 fallback) const {
    return read(name, fallback, [&] { return m_key->readInteger(name); });
}

bool StoreReader::boolean(const QString& name, bool fallback) const {
    return read(name, fallback, [&] { return m_key->readBool(name); });
}

QString StoreReader::string(const QString& name, const QString& fallback) const {
    return read(name, fallback, [&] { return m_key->readString(name); });
}

QByteArray StoreReader::binary(const QString& name, const QByteArray& fallback) const {
    return read(name, fallback, [&] { return m_key->readBinary(name); });
}

StoreWriter::StoreWriter(SettingsKey* key, MessageBoxes* messages)
    : m_key(key)
    , m_messages(messages)
    , m_failed(key == nullptr) {}

template <typename Write>
void StoreWriter::write(Write writeValue) {
    if (m_failed)
        return;
    try {
        writeValue();
    } catch (const StoreError& error) {
        m_failed = true;
        qCWarning(lcStore) << error.message();
        if (m_messages)
            m_messages->showError(error.message());
    }
}

void StoreWriter::integer(const QString& name, qint32 value) {
    write([&] { m_key->writeInteger(name, value); });
}

void StoreWriter::boolean(const QString& name, bool value) {
    write([&] { m_key->writeBool(name, value); });
}

void StoreWriter::string(const QString& name, const QString& value) {
    write([&] { m_key->writeString(name, value); });
}

void StoreWriter::binary(const QString& name, const QByteArray& value) {
    write([&] { m_key->writeBinary(name, value); });
}

void StoreWriter::remove(const QString& name) {
    write([&] { m_key->deleteValue(name); });
}

void StoreWriter::close() {
    if (!m_key)
        return;
    // A failed write must not block the commit of the writes before it.
    const bool hadFailed = m_failed;
    m_failed = false;
    write([&] { m_key->close(); });
    m_failed = m_failed || hadFailed;
}
