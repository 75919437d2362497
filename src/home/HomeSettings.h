// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class SettingsStore;

// How the program reaches the home's MQTT broker, kept under "Mqtt\". Off until a person turns it
// on. An empty node id or base topic means the default, so a renamed computer follows its name.
struct HomeSettings {
    static constexpr int DefaultPort = 1883;

    bool enabled = false;
    QString host = QStringLiteral("localhost");
    int port = DefaultPort;
    QString user;
    QString password;
    bool tls = false;
    QString caFile;
    QString nodeId;
    QString baseTopic;
    QString discoveryPrefix = QStringLiteral("homeassistant");

    bool operator==(const HomeSettings&) const = default;

    // The node id in use: the stored one, else the host name, cleaned to [a-z0-9_].
    QString effectiveNodeId() const;
    // The base topic in use: the stored one, else "gloamery/<node id>".
    QString effectiveBaseTopic() const;
    // Lower case, every other character an underscore; "gloamery" when nothing is left.
    static QString cleanNodeId(const QString& text);
};

// Loads and saves HomeSettings under the program's "Mqtt\" key. A value of the wrong type stops
// the load at that value (the rest keep their defaults) and its message is returned.
class HomeSettingsStore {
public:
    static const QString KeyPath;

    explicit HomeSettingsStore(SettingsStore* store);

    // Empty, or the store's message.
    QString load(HomeSettings& settings) const;
    // Empty, or the store's message for a refused write.
    QString save(const HomeSettings& settings) const;

private:
    SettingsStore* m_store;
};
