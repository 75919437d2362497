// SPDX-License-Identifier: GPL-3.0-or-later
#include "LineSource.h"

#include <QSocketNotifier>
#include <QString>

#include <cerrno>
#include <unistd.h>

LineSource::LineSource(int fd, QObject* parent)
    : QObject(parent)
    , m_fd(fd) {
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &LineSource::readable);
}

void LineSource::readable() {
    char chunk[4096];
    const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (n <= 0) {
        // At the end a file stays readable: stop listening or the loop would spin.
        m_notifier->setEnabled(false);
        if (!m_partial.isEmpty() && !m_skipping)
            emit line(QString::fromUtf8(m_partial));
        m_partial.clear();
        emit finished();
        return;
    }
    for (ssize_t at = 0; at < n; ++at) {
        const char byte = chunk[at];
        if (byte == '\n') {
            if (!m_skipping)
                emit line(QString::fromUtf8(m_partial));
            m_partial.clear();
            m_skipping = false;
        } else if (m_skipping) {
            continue;
        } else if (m_partial.size() >= MaxLine) {
            m_partial.clear();
            m_skipping = true;
            emit tooLong();
        } else {
            m_partial.append(byte);
        }
    }
}
