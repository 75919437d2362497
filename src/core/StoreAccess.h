// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class MessageBoxes;
class SettingsKey;
class SettingsStore;

// The program's key in the settings store; each window keeps its values there.
inline const QString ProgramKey = QStringLiteral("SoftWare\\Brannoch\\Gloamery\\");

// What the user is told, once at start, about a store that cannot be used: the file, the
// reason, and that the program goes on with its defaults.
QString unusableStoreMessage(const SettingsStore& store);

// Reads the values of one open key for a window's load: a missing value takes its default; a
// value of the wrong type is reported and also takes its default, so one bad value never costs
// the user the values after it.
class StoreReader {
public:
    // key may be null (store unavailable): every read then gives its default.
    StoreReader(const SettingsKey* key, MessageBoxes* messages);

    qint32 integer(const QString& name, qint32 fallback) const;
    bool boolean(const QString& name, bool fallback) const;
    QString string(const QString& name, const QString& fallback) const;
    QByteArray binary(const QString& name, const QByteArray& fallback) const;

private:
    template <typename T, typename Read>
    T read(const QString& name, const T& fallback, Read readValue) const;

    const SettingsKey* m_key;
    MessageBoxes* m_messages;
};

// Writes the values of one open key for a window's save. The first failed write is reported
// (unless messages is null: failures ignored) and ends the save; the writes before it stay.
class StoreWriter {
public:
    StoreWriter(SettingsKey* key, MessageBoxes* messages);

    void integer(const QString& name, qint32 value);
    void boolean(const QString& name, bool value);
    void string(const QString& name, const QString& value);
    void binary(const QString& name, const QByteArray& value);
    void remove(const QString& name);

    // Commits; a failed commit is reported like a failed write.
    void close();
    bool failed() const { return m_failed; }

private:
    template <typename Write>
    void write(Write writeValue);

    SettingsKey* m_key;
    MessageBoxes* m_messages;
    bool m_failed = false;
};
