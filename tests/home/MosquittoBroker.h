// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A real mosquitto on 127.0.0.1 as a child process, on a port free when the object was made;
// stopping and starting again keeps the port, so clients see a broker restart.
class MosquittoBroker {
public:
    static constexpr const char* Program = "/usr/sbin/mosquitto";

    MosquittoBroker();
    ~MosquittoBroker();

    // Empty once the broker takes connections, otherwise why it does not.
    QString start();
    // With these lines added to a configuration of one listener on 127.0.0.1.
    QString startWithConfig(const QString& lines);
    // A folder for the files a configuration names; it lives as long as the broker.
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    void stop();

    quint16 port() const { return m_port; }

private:
    QString launch(const QStringList& arguments);

    quint16 m_port;
    QTemporaryDir m_dir;
    QProcess m_process;
};
