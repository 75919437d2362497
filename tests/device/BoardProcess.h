// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStringList>

#include <functional>

// Runs the event loop until the condition holds or the time is up; true if it held.
inline bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// A real gloamery-board process, its standard output collected line by line.
class BoardProcess {
public:
    explicit BoardProcess(const QStringList& arguments) {
        m_process.setProgram(QStringLiteral(GLOAMERY_BOARD_BINARY));
        m_process.setArguments(arguments);
        m_process.start();
    }
    ~BoardProcess() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    QProcess& process() { return m_process; }

    void send(const QString& line) { m_process.write((line + QLatin1Char('\n')).toUtf8()); }

    // Standard output so far, with the lines that arrived up to now.
    QString output() {
        m_output += QString::fromUtf8(m_process.readAllStandardOutput());
        return m_output;
    }
    QString errors() {
        m_errors += QString::fromUtf8(m_process.readAllStandardError());
        return m_errors;
    }
    bool waitForOutput(const QString& text, int timeoutMs = 5000) {
        return waitUntil([&] { return output().contains(text); }, timeoutMs);
    }
    // Commands run in order: once a status answer comes back, every command before it is done.
    bool sync() {
        const qsizetype before = output().count(QStringLiteral("reports received:"));
        send(QStringLiteral("status"));
        return waitUntil(
            [&] { return output().count(QStringLiteral("reports received:")) > before; });
    }

private:
    QProcess m_process;
    QString m_output;
    QString m_errors;
};
