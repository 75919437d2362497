// SPDX-License-Identifier: GPL-3.0-or-later
#include "daemon/config/NetClientSection.h"

#include "core/IntegerText.h"
#include "core/Windows1251.h"
#include "daemon/config/ConfigSections.h"
#include "daemon/config/ConfigValues.h"

#include <QStringList>

using namespace ConfigValues;

namespace {

const QString Prefix = QStringLiteral("net.client.");
const QString Password = QStringLiteral("password");
const QString Rights = QStringLiteral("rights");
const QString EditEnable = QStringLiteral("edit-enable");
const QString Registered = QStringLiteral("registered");
const QString NoRights = QStringLiteral("none");

// Empty when the text can be kept in a client's record whole, else why not.
QString recordTextRefusal(const QString& text) {
    const std::optional<QByteArray> bytes = Windows1251::encode(text);
    if (!bytes)
        return QStringLiteral("'%1' holds characters a client's record cannot keep (Windows-1251 "
                              "only)")
            .arg(text);
    if (bytes->size() > NetUserData::TextCapacity)
        return QStringLiteral("'%1' is longer than %2 bytes in Windows-1251")
            .arg(text)
            .arg(NetUserData::TextCapacity);
    return {};
}

QString rightsText(const NetUserData& record) {
    QStringList commands;
    for (int n = 1; n <= NetUserData::RightCount; ++n) {
        if (record.right(n))
            commands.append(QString::number(n));
    }
    return commands.isEmpty() ? NoRights : commands.join(QLatin1Char(','));
}

std::optional<std::array<bool, NetUserData::RightCount>> parseRights(const QString& text) {
    std::array<bool, NetUserData::RightCount> rights{};
    if (text.compare(NoRights, Qt::CaseInsensitive) == 0)
        return rights;
    for (const QString& part : text.split(QLatin1Char(','))) {
        const std::optional<qint32> command = integerFromText(part);
        if (!command || *command < 1 || *command > NetUserData::RightCount)
            return std::nullopt;
        rights[static_cast<size_t>(*command - 1)] = true;
    }
    return rights;
}

} // namespace

NetClientSection::NetClientSection(SettingsStore& store)
    : m_clients(&store, &m_messages) {}

QString NetClientSection::load() {
    return m_clients.load();
}

int NetClientSection::indexOf(const QString& clientName) const {
    const QStringList names = m_clients.names();
    for (int i = 0; i < names.size(); ++i) {
        if (names.at(i).compare(clientName, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

std::vector<ConfigKey> NetClientSection::keys() {
    std::vector<ConfigKey> keys;
    for (const QString& name : m_clients.names()) {
        for (const QString& setting : {Password, Rights, EditEnable, Registered})
            keys.push_back(key(name, setting));
    }
    return keys;
}

std::optional<ConfigKey> NetClientSection::newKey(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (!name.startsWith(Prefix) || dot <= Prefix.size())
        return std::nullopt;
    const QString setting = name.mid(dot + 1);
    if (!QStringList{Password, Rights, EditEnable, Registered}.contains(setting))
        return std::nullopt;
    return key(name.mid(Prefix.size(), dot - Prefix.size()), setting);
}

ConfigKey NetClientSection::key(const QString& clientName, const QString& setting) {
    ConfigKey key{Prefix + clientName + QLatin1Char('.') + setting, {}, {}};
    const auto record = [this, clientName]() -> const NetUserData& {
        return m_clients.at(indexOf(clientName));
    };
    if (setting == Password) {
        key.get = [record] {
            return Windows1251::decode(record().password());
        };
        key.set = [this, clientName](const QString& text) {
            return setPassword(clientName, text);
        };
        key.secret = true;
    } else if (setting == Rights) {
        key.get = [record] {
            return rightsText(record());
        };
        key.set = [this, clientName](const QString& text) {
            return setRights(clientName, text);
        };
    } else if (setting == EditEnable) {
        key.get = [record] {
            return boolText(record().editEnable());
        };
        key.set = [this, clientName](const QString& text) {
            return setEditEnable(clientName, text);
        };
    } else {
        key.get = [this, clientName] {
            return boolText(indexOf(clientName) >= 0);
        };
        key.set = [this, clientName](const QString& text) {
            return setRegistered(clientName, text);
        };
    }
    return key;
}

QString NetClientSection::registered(const QString& clientName) {
    if (indexOf(clientName) >= 0)
        return {};
    if (clientName.isEmpty())
        return QStringLiteral("a client needs a name");
    if (QString refusal = recordTextRefusal(clientName); !refusal.isEmpty())
        return refusal;
    m_clients.add(clientName);
    return {};
}

QString NetClientSection::setPassword(const QString& clientName, const QString& text) {
    if (QString refusal = recordTextRefusal(text); !refusal.isEmpty())
        return refusal;
    if (QString refusal = registered(clientName); !refusal.isEmpty())
        return refusal;
    const int index = indexOf(clientName);
    std::array<bool, NetUserData::RightCount> rights{};
    for (int n = 1; n <= NetUserData::RightCount; ++n)
        rights[static_cast<size_t>(n - 1)] = m_clients.at(index).right(n);
    m_clients.select(index);
    return m_clients.apply(text, rights);
}

QString NetClientSection::setRights(const QString& clientName, const QString& text) {
    const auto rights = parseRights(text);
    if (!rights)
        return QStringLiteral("'%1' is not allowed: use none, or the commands 1 to 4 separated by "
                              "commas (1,3)")
            .arg(text);
    if (QString refusal = registered(clientName); !refusal.isEmpty())
        return refusal;
    NetUserData& record = *m_clients.record(indexOf(clientName));
    for (int n = 1; n <= NetUserData::RightCount; ++n)
        record.setRight(n, (*rights)[static_cast<size_t>(n - 1)]);
    m_clients.save();
    return {};
}

QString NetClientSection::setEditEnable(const QString& clientName, const QString& text) {
    const std::optional<bool> enabled = parseBool(text);
    if (!enabled)
        return notABoolean(text);
    if (QString refusal = registered(clientName); !refusal.isEmpty())
        return refusal;
    m_clients.record(indexOf(clientName))->setEditEnable(*enabled);
    m_clients.save();
    return {};
}

QString NetClientSection::setRegistered(const QString& clientName, const QString& text) {
    const std::optional<bool> wanted = parseBool(text);
    if (!wanted)
        return notABoolean(text);
    if (*wanted)
        return registered(clientName);
    if (const int index = indexOf(clientName); index >= 0)
        m_clients.removeAt(index);
    return {};
}

std::unique_ptr<ConfigSection> netClientSection(SettingsStore& store) {
    return std::make_unique<NetClientSection>(store);
}
