// SPDX-License-Identifier: GPL-3.0-or-later
// The daemon's own part: what its command line asks for, and what it starts from the settings.
#include "daemon/Daemon.h"

#include "core/ProgramState.h"
#include "core/SettingsStore.h"
#include "core/StoreAccess.h"
#include "daemon/DaemonCommandLine.h"
#include "daemon/ServiceManager.h"
#include "support/CorePlatform.h"
#include "support/TempStore.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

struct Line {
    QStringList arguments;
    DaemonCommandLine::Kind kind;
    bool start;
    QStringList config;
};

class DaemonCommandLineTable : public testing::TestWithParam<Line> {};

TEST_P(DaemonCommandLineTable, AsksForWhatItSays) {
    const Line& c = GetParam();
    const DaemonCommandLine line = DaemonCommandLine::of(c.arguments, QStringLiteral("1.2.3"));
    EXPECT_EQ(line.kind(), c.kind);
    EXPECT_EQ(line.startAttraction(), c.start);
    EXPECT_EQ(line.configArguments(), c.config);
    if (c.kind == DaemonCommandLine::Kind::Version) {
        EXPECT_EQ(line.text(), QStringLiteral("gloameryd 1.2.3\n"));
    }
    if (c.kind == DaemonCommandLine::Kind::Refused) {
        EXPECT_TRUE(line.text().contains(c.arguments.last())) << line.text().toStdString();
    }
}

using Kind = DaemonCommandLine::Kind;
const QString Config = QStringLiteral("config");
INSTANTIATE_TEST_SUITE_P(
    Table, DaemonCommandLineTable,
    testing::Values(
        Line{{}, Kind::Run, false, {}}, Line{{QStringLiteral("--start")}, Kind::Run, true, {}},
        Line{{QStringLiteral("--help")}, Kind::Help, false, {}},
        Line{{QStringLiteral("--start"), QStringLiteral("-h")}, Kind::Help, false, {}},
        Line{{QStringLiteral("--version")}, Kind::Version, false, {}},
        Line{{QStringLiteral("--start"), QStringLiteral("--stat")}, Kind::Refused, true, {}},
        Line{{QStringLiteral("start")}, Kind::Refused, false, {}},
        // Whatever follows "config" is the settings command's to judge.
        Line{{Config, QStringLiteral("set"), QStringLiteral("--help"), QStringLiteral("x")},
             Kind::Config,
             false,
             {QStringLiteral("set"), QStringLiteral("--help"), QStringLiteral("x")}},
        Line{{QStringLiteral("--start"), Config}, Kind::Refused, true, {}}));

struct Launch {
    const char* name;
    qint32 storedLanguage; // -1: not stored
    bool autostart;
    bool asked;
    Language language;
    bool running;
};

class DaemonLaunch : public testing::TestWithParam<Launch> {};

TEST_P(DaemonLaunch, StartsWhatTheSettingsOrTheCommandLineSay) {
    const Launch& c = GetParam();
    TempStore temp;
    {
        const auto key = temp.store().openKey(ProgramKey, true);
        if (c.storedLanguage >= 0)
            key->writeInteger(QStringLiteral("Daemon_Language"), c.storedLanguage);
        key->writeBool(QStringLiteral("Attraction_Autostart"), c.autostart);
    }
    CorePlatform fakes;
    ProgramState state;
    Daemon daemon(state, fakes.services(&temp.store()));
    daemon.start(c.asked);
    EXPECT_EQ(state.InterfaceLanguage, c.language);
    EXPECT_EQ(daemon.services().attraction.running(), c.running);
    EXPECT_EQ(daemon.services().control.attraction().running, c.running);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DaemonLaunch,
    testing::Values(Launch{"nothing_stored", -1, false, false, Language::English, false},
                    Launch{"russian", 1, false, false, Language::Russian, false},
                    Launch{"unknown_language", 7, false, false, Language::English, false},
                    Launch{"asked", 0, false, true, Language::English, true},
                    Launch{"stored", 0, true, false, Language::English, true},
                    Launch{"both", 1, true, true, Language::Russian, true}),
    [](const auto& row) { return row.param.name; });

// A service manager's socket, as systemd gives one by path or by abstract name.
class NotifySocket {
public:
    explicit NotifySocket(const QByteArray& address) {
        m_fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_un bound{};
        bound.sun_family = AF_UNIX;
        memcpy(bound.sun_path, address.constData(), size_t(address.size()));
        if (address.startsWith('@'))
            bound.sun_path[0] = '\0';
        const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(address.size()));
        m_bound = bind(m_fd, reinterpret_cast<sockaddr*>(&bound), length) == 0;
        qputenv("NOTIFY_SOCKET", address);
    }
    ~NotifySocket() {
        qunsetenv("NOTIFY_SOCKET");
        close(m_fd);
    }
    bool bound() const { return m_bound; }
    QByteArray received() const {
        char buffer[64] = {};
        const ssize_t n = recv(m_fd, buffer, sizeof buffer, MSG_DONTWAIT);
        return n > 0 ? QByteArray(buffer, int(n)) : QByteArray();
    }

private:
    int m_fd = -1;
    bool m_bound = false;
};

TEST(ServiceManager, HearsReadyAndStoppingOnAPathOrAnAbstractName) {
    QTemporaryDir dir;
    const QByteArray abstract = "@gloamery-test-" + QByteArray::number(getpid());
    for (const QByteArray& address : {dir.filePath(QStringLiteral("notify")).toUtf8(), abstract}) {
        const NotifySocket manager(address);
        ASSERT_TRUE(manager.bound()) << address.constData();
        EXPECT_TRUE(ServiceManager::ready());
        EXPECT_EQ(manager.received(), QByteArray("READY=1")) << address.constData();
        EXPECT_TRUE(ServiceManager::stopping());
        EXPECT_EQ(manager.received(), QByteArray("STOPPING=1")) << address.constData();
    }
    // Started by hand: nobody to tell, and nothing goes wrong.
    EXPECT_TRUE(ServiceManager::ready());
    qputenv("NOTIFY_SOCKET", "relative/path");
    EXPECT_FALSE(ServiceManager::ready());
    qunsetenv("NOTIFY_SOCKET");
}

} // namespace
