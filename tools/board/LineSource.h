// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>

class QSocketNotifier;

// Cuts what arrives on a file descriptor (standard input) into lines, as it comes.
class LineSource : public QObject {
    Q_OBJECT
public:
    // No command is this long; a longer line is dropped, so the buffer stays bounded.
    static constexpr int MaxLine = 1024;

    explicit LineSource(int fd, QObject* parent = nullptr);

signals:
    void line(const QString& text);
    void tooLong();
    void finished();

private:
    void readable();

    int m_fd;
    QSocketNotifier* m_notifier = nullptr;
    QByteArray m_partial;
    bool m_skipping = false;
};
