// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetClients.h"

#include "core/LogCategories.h"
#include "core/MessageBoxes.h"
#include "core/SettingsStore.h"
#include "core/StoreAccess.h"
#include "core/StoreError.h"
#include "core/Windows1251.h"

#include <QRandomGenerator>

const QString NetClients::KeyPath = ProgramKey + QStringLiteral("Net\\");
const QString NetClients::CountValue = QStringLiteral("UserCount");
const QString NetClients::NotEncodableMessage =
    QStringLiteral("Этот текст содержит символы, которые нельзя сохранить (допустимы только "
                   "символы кодовой страницы Windows-1251).");

namespace {

// Passwords a person can read off the window and type into a client.
QByteArray randomPassword(int length) {
    static constexpr char alphabet[] = "abcdefghijkmnpqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789";
    QByteArray password;
    for (int i = 0; i < length; ++i)
        password.append(alphabet[QRandomGenerator::system()->bounded(int(sizeof alphabet) - 1)]);
    return password;
}

QString caption(const NetUserData& record) {
    return QStringLiteral("Клиент: \"%1\"").arg(Windows1251::decode(record.name()));
}

} // namespace

QString NetClients::recordValueName(int index) {
    return QStringLiteral("UserData%1").arg(index);
}

NetClients::NetClients(SettingsStore* store, MessageBoxes* messages)
    : m_store(store)
    , m_messages(messages) {}

void NetClients::writeDefaults() {
    // Drawn when written, from the system's secure source, so no two installations share them.
    std::vector<QByteArray> passwords;
    while (passwords.size() < DefaultClientCount) {
        QByteArray password = randomPassword(DefaultPasswordLength);
        if (std::find(passwords.begin(), passwords.end(), password) == passwords.end())
            passwords.push_back(password);
    }
    std::vector<std::shared_ptr<NetUserData>> defaults;
    for (int i = 0; i < DefaultClientCount; ++i) {
        auto record = std::make_shared<NetUserData>();
        record->setName(QStringLiteral("Client_%1").arg(i + 1).toLatin1());
        record->setPassword(passwords[i]);
        record->setClientNumber(static_cast<quint8>(i + 1));
        defaults.push_back(record);
    }
    auto key = m_store ? m_store->openKey(KeyPath, true) : nullptr;
    if (!key) {
        // No store to read them back from: the defaults still serve this run.
        m_entries = defaults;
        return;
    }
    StoreWriter writer(key.get(), m_messages);
    writer.integer(CountValue, DefaultClientCount);
    for (int i = 0; i < DefaultClientCount; ++i)
        writer.binary(recordValueName(i), defaults[i]->toBytes());
    writer.close();
}

QString NetClients::load() {
    m_entries.clear();
    m_selected = -1;
    if (!m_store || !m_store->keyExists(KeyPath)) {
        writeDefaults();
        if (!m_entries.empty())
            return {};
    }
    auto key = m_store->openKey(KeyPath, true);
    const int count = StoreReader(key.get(), m_messages).integer(CountValue, 0);
    if (count > MaxClients)
        qCWarning(lcNet) << "UserCount" << count << "is more than" << MaxClients
                         << "; only the first are loaded";
    QString failure;
    for (int i = 0; key && i < std::min(count, int{MaxClients}); ++i) {
        const QString name = recordValueName(i);
        QByteArray stored;
        if (key->valueExists(name)) {
            try {
                stored = key->readBinary(name);
                if (stored.size() > NetUserData::Size)
                    throw StoreError::invalidType(name);
            } catch (const StoreError& error) {
                failure = error.message();
                break;
            }
        }
        m_entries.push_back(std::make_shared<NetUserData>(NetUserData::fromStored(stored)));
    }
    if (key)
        key->close();
    if (!failure.isEmpty()) {
        qCWarning(lcNet) << failure;
        if (m_messages)
            m_messages->showError(failure);
    }
    return failure;
}

void NetClients::save() {
    auto key = m_store ? m_store->openKey(KeyPath, true) : nullptr;
    StoreWriter writer(key.get(), m_messages);
    writer.integer(CountValue, count());
    for (int i = 0; i < count(); ++i)
        writer.binary(recordValueName(i), m_entries[i]->toBytes());
    writer.close();
}

QStringList NetClients::names() const {
    QStringList list;
    for (const auto& entry : m_entries)
        list.append(Windows1251::decode(entry->name()));
    return list;
}

std::shared_ptr<NetUserData> NetClients::find(QByteArrayView name, QByteArrayView password) const {
    for (const auto& entry : m_entries) {
        if (entry->name() == name && entry->password() == password)
            return entry;
    }
    return nullptr;
}

void NetClients::select(int index) {
    m_selected = index >= 0 && index < count() ? index : -1;
}

bool NetClients::isEncodable(QStringView text) {
    return Windows1251::encode(text).has_value();
}

QString NetClients::add(const QString& name) {
    if (name.isEmpty())
        return {};
    const auto encoded = Windows1251::encode(name);
    if (!encoded)
        return NotEncodableMessage;
    auto record = std::make_shared<NetUserData>();
    record->setName(*encoded);
    record->setClientNumber(1);
    // Compared as the stored name reads back, so Cyrillic letters fold their case too.
    const QString stored = Windows1251::decode(record->name());
    for (const auto& entry : m_entries) {
        if (Windows1251::decode(entry->name()).compare(stored, Qt::CaseInsensitive) == 0)
            return {};
    }
    m_entries.push_back(record);
    save();
    select(0);
    return {};
}

QString NetClients::apply(const QString& password,
                          const std::array<bool, NetUserData::RightCount>& rights) {
    if (m_selected >= 0) {
        const auto encoded = Windows1251::encode(password);
        if (!encoded)
            return NotEncodableMessage;
        NetUserData& record = *m_entries[m_selected];
        record.setPassword(*encoded);
        for (int n = 1; n <= NetUserData::RightCount; ++n)
            record.setRight(n, rights[n - 1]);
    }
    save();
    return {};
}

void NetClients::removeAt(int index) {
    if (index < 0 || index >= count())
        return;
    m_entries.erase(m_entries.begin() + index);
    save();
    select(0);
}

ShownNetClient NetClients::shown() const {
    ShownNetClient shown;
    if (m_selected < 0)
        return shown;
    const NetUserData& record = *m_entries[m_selected];
    shown.password = Windows1251::decode(record.password());
    for (int n = 1; n <= NetUserData::RightCount; ++n)
        shown.rights[n - 1] = record.right(n);
    shown.caption = caption(record);
    return shown;
}
