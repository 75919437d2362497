// SPDX-License-Identifier: GPL-3.0-or-later
#include "MosquittoBroker.h"

#include "support/LocalPorts.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <csignal>

MosquittoBroker::MosquittoBroker()
    : m_port(freePort()) {}

MosquittoBroker::~MosquittoBroker() {
    stop();
}

QString MosquittoBroker::start() {
    // Without a configuration file mosquitto 2 listens on the loopback addresses only and lets
    // anonymous clients in.
    return launch({QStringLiteral("-p"), QString::number(m_port)});
}

QString MosquittoBroker::startWithConfig(const QString& lines) {
    const QString config = m_dir.filePath(QStringLiteral("mosquitto.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    // As root mosquitto would switch to its own user, who cannot read our private folder.
    file.write(QStringLiteral("listener %1 127.0.0.1\nuser root\n").arg(m_port).toUtf8() +
               lines.toUtf8());
    file.close();
    return launch({QStringLiteral("-c"), config});
}

QString MosquittoBroker::launch(const QStringList& arguments) {
    if (!QFileInfo(QString::fromLatin1(Program)).isExecutable()) {
        return QStringLiteral("%1 is missing: scripts/install-deps.sh installs mosquitto")
            .arg(QString::fromLatin1(Program));
    }
    stop();
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(QString::fromLatin1(Program), arguments);
    if (!m_process.waitForStarted(5000)) {
        return m_process.errorString();
    }
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 5000) {
        if (m_process.state() != QProcess::Running) {
            return QStringLiteral("mosquitto ended: %1")
                .arg(QString::fromLocal8Bit(m_process.readAll()));
        }
        if (accepts(m_port)) {
            return {};
        }
        QThread::msleep(20);
    }
    return QStringLiteral("mosquitto took no connections on port %1 within 5 s").arg(m_port);
}

void MosquittoBroker::stop() {
    if (m_process.state() == QProcess::NotRunning) {
        return;
    }
    ::kill(static_cast<pid_t>(m_process.processId()), SIGTERM);
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(2000);
    }
}
