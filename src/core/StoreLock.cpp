// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/StoreLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {

QString processName(qint64 pid) {
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(comm.readAll()).trimmed();
}

QString holderText(qint64 pid) {
    if (pid <= 0)
        return QStringLiteral("another process");
    const QString name = processName(pid);
    return name.isEmpty() ? QStringLiteral("pid %1").arg(pid)
                          : QStringLiteral("pid %1 (%2)").arg(pid).arg(name);
}

struct flock wholeFile(short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;
    return lock;
}

} // namespace

QString StoreLock::pathFor(const QString& storePath) {
    return storePath + QStringLiteral(".lock");
}

StoreLock StoreLock::take(const QString& storePath, Mode mode) {
    StoreLock result;
    const QString path = pathFor(storePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Read and write, whatever the mode: a shared lock needs a file open for reading, an
    // exclusive one for writing, and the same file serves both.
    result.m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (result.m_fd < 0) {
        result.m_reason = QStringLiteral("cannot open %1: %2").arg(path, strerror(errno));
        return result;
    }
    const short type = mode == Mode::Exclusive ? F_WRLCK : F_RDLCK;
    struct flock lock = wholeFile(type);
    if (fcntl(result.m_fd, F_SETLK, &lock) == 0) {
        result.m_outcome = Outcome::Held;
        return result;
    }
    const int error = errno;
    if (error != EACCES && error != EAGAIN) {
        result.m_reason = QStringLiteral("cannot lock %1: %2").arg(path, strerror(error));
        result.release();
        return result;
    }
    struct flock holder = wholeFile(type);
    if (fcntl(result.m_fd, F_GETLK, &holder) == 0 && holder.l_type != F_UNLCK)
        result.m_holderPid = holder.l_pid;
    result.m_outcome = Outcome::TakenByOther;
    result.m_reason = holderText(result.m_holderPid);
    result.release();
    return result;
}

StoreLock::StoreLock(StoreLock&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
    , m_outcome(other.m_outcome)
    , m_holderPid(other.m_holderPid)
    , m_reason(std::move(other.m_reason)) {
    other.m_outcome = Outcome::Unusable;
}

StoreLock& StoreLock::operator=(StoreLock&& other) noexcept {
    if (this != &other) {
        release();
        m_fd = std::exchange(other.m_fd, -1);
        m_outcome = other.m_outcome;
        m_holderPid = other.m_holderPid;
        m_reason = std::move(other.m_reason);
        other.m_outcome = Outcome::Unusable;
    }
    return *this;
}

StoreLock::~StoreLock() {
    release();
}

void StoreLock::release() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}
