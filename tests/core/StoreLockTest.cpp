// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/StoreLock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Another process holding the lock file as a running program would, until destroyed. Record
// locks belong to a process, so a second taker in this one would always succeed.
class OtherProcess {
public:
    OtherProcess(const QString& lockPath, short type) {
        int ready[2];
        int finish[2];
        if (pipe(ready) != 0 || pipe(finish) != 0)
            return;
        const QByteArray path = QFile::encodeName(lockPath);
        m_pid = fork();
        if (m_pid == 0) {
            close(ready[0]);
            close(finish[1]);
            const int fd = open(path.constData(), O_RDWR | O_CREAT, 0600);
            struct flock lock {};
            lock.l_type = type;
            lock.l_whence = SEEK_SET;
            const char ok = (fd >= 0 && fcntl(fd, F_SETLK, &lock) == 0) ? 1 : 0;
            (void)!write(ready[1], &ok, 1);
            char end;
            (void)!read(finish[0], &end, 1);
            _exit(0);
        }
        close(ready[1]);
        close(finish[0]);
        m_finish = finish[1];
        char ok = 0;
        m_holding = read(ready[0], &ok, 1) == 1 && ok == 1;
        close(ready[0]);
    }
    ~OtherProcess() {
        if (m_finish >= 0)
            close(m_finish);
        if (m_pid > 0)
            waitpid(m_pid, nullptr, 0);
    }
    bool holding() const { return m_holding; }
    pid_t pid() const { return m_pid; }

private:
    pid_t m_pid = -1;
    int m_finish = -1;
    bool m_holding = false;
};

struct Sharing {
    const char* name;
    short heldByOther; // F_UNLCK: no other process
    StoreLock::Mode asked;
    StoreLock::Outcome expected;
};

class StoreLockSharing : public testing::TestWithParam<Sharing> {};

TEST_P(StoreLockSharing, OnlyWindowedProgramsShare) {
    const Sharing& c = GetParam();
    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("sub/settings.db"));
    std::unique_ptr<OtherProcess> other;
    if (c.heldByOther != F_UNLCK) {
        // The folder is the lock's to make, as it is the store's.
        ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("sub"))));
        other = std::make_unique<OtherProcess>(StoreLock::pathFor(store), c.heldByOther);
        ASSERT_TRUE(other->holding());
    }
    const StoreLock lock = StoreLock::take(store, c.asked);
    EXPECT_EQ(lock.outcome(), c.expected);
    if (c.expected == StoreLock::Outcome::TakenByOther) {
        EXPECT_EQ(lock.holderPid(), other->pid());
        EXPECT_TRUE(lock.reason().startsWith(QStringLiteral("pid %1 (").arg(other->pid())))
            << lock.reason().toStdString();
    }
}

using Mode = StoreLock::Mode;
using Outcome = StoreLock::Outcome;
INSTANTIATE_TEST_SUITE_P(
    Table, StoreLockSharing,
    testing::Values(
        Sharing{"alone_shared", F_UNLCK, Mode::Shared, Outcome::Held},
        Sharing{"alone_exclusive", F_UNLCK, Mode::Exclusive, Outcome::Held},
        Sharing{"window_beside_window", F_RDLCK, Mode::Shared, Outcome::Held},
        Sharing{"daemon_beside_window", F_RDLCK, Mode::Exclusive, Outcome::TakenByOther},
        Sharing{"window_beside_daemon", F_WRLCK, Mode::Shared, Outcome::TakenByOther},
        Sharing{"daemon_beside_daemon", F_WRLCK, Mode::Exclusive, Outcome::TakenByOther}),
    [](const auto& row) { return row.param.name; });

TEST(StoreLock, GoesWithItsOwnerAndNeedsAFile) {
    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("settings.db"));
    {
        OtherProcess daemon(StoreLock::pathFor(store), F_WRLCK);
        ASSERT_TRUE(daemon.holding());
    }
    EXPECT_TRUE(StoreLock::take(store, StoreLock::Mode::Exclusive).held());

    // Something of that name that is no file, as a folder that refuses writing would be to an
    // ordinary user (the tests may run as root).
    ASSERT_TRUE(QFile::remove(StoreLock::pathFor(store)));
    ASSERT_TRUE(QDir().mkpath(StoreLock::pathFor(store)));
    const StoreLock refused = StoreLock::take(store, StoreLock::Mode::Exclusive);
    EXPECT_EQ(refused.outcome(), StoreLock::Outcome::Unusable);
    EXPECT_TRUE(refused.reason().startsWith(QStringLiteral("cannot open ")))
        << refused.reason().toStdString();
}

} // namespace
