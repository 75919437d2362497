// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Who may use a settings store at the same time: a record lock on a file beside it. Programs
// with windows share it, so two of them keep working side by side as they always have; the
// program without windows, and a change from the command line, take it alone, since either
// would overwrite what a program that is running saves at its end. The lock goes with the
// process, so a killed program never leaves it behind.
class StoreLock {
public:
    enum class Mode { Shared, Exclusive };
    enum class Outcome {
        Held,
        TakenByOther, // another process holds it in a way that excludes this one
        Unusable,     // the lock file cannot be made or opened
    };

    static QString pathFor(const QString& storePath);

    // Tries once and never waits.
    static StoreLock take(const QString& storePath, Mode mode);

    StoreLock(StoreLock&& other) noexcept;
    StoreLock& operator=(StoreLock&& other) noexcept;
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;
    ~StoreLock();

    Outcome outcome() const { return m_outcome; }
    bool held() const { return m_outcome == Outcome::Held; }
    // For TakenByOther: the process holding it, 0 when the system did not say.
    qint64 holderPid() const { return m_holderPid; }
    // For TakenByOther, "pid 1234 (gloameryd)"; for Unusable, why.
    const QString& reason() const { return m_reason; }

private:
    StoreLock() = default;
    void release();

    int m_fd = -1;
    Outcome m_outcome = Outcome::Unusable;
    qint64 m_holderPid = 0;
    QString m_reason;
};
