// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

class MessageBoxes;
class SettingsStore;

// The network server window's own settings, kept under "SoftWare\Server\", outside the
// program's key.
struct ServerSettings {
    static constexpr qint32 DefaultPort = 25963;

    bool AutoSocket = false;
    bool SocketJurnal = true;
    bool SocketError = false;
    qint32 ServerSocket = DefaultPort;
};

class ServerSettingsStore {
public:
    static const QString KeyPath;

    // `messages` tells the user of a value of the wrong type or a refused write; none: logged.
    ServerSettingsStore(SettingsStore* store, MessageBoxes* messages);

    // A missing port is written at once, so that it is there even if the window never opens.
    ServerSettings load() const;
    // `portText` is the Port field's text; a text that is no integer is saved as the default.
    void save(const ServerSettings& settings, QStringView portText) const;

private:
    SettingsStore* m_store;
    MessageBoxes* m_messages;
};

// The Port field shows green for the ports a user should pick (1000 ... 65535), red for any
// other text, a text that is no integer included; the port is used all the same.
bool portInAdvisedRange(QStringView portText);
