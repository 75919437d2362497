// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/DesktopAutostart.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(DesktopAutostart, ConfigHomeFollowsTheXdgRule) {
    const struct {
        const char* xdg;
        const char* expected;
    } cases[] = {
        {"/srv/conf", "/srv/conf"},    {"/srv/conf/", "/srv/conf"},
        {"", "/home/u/.config"},       {"conf", "/home/u/.config"}, // relative: ignored
        {"./conf", "/home/u/.config"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xdg);
        EXPECT_EQ(DesktopAutostart::configHome(QString::fromUtf8(c.xdg), QStringLiteral("/home/u")),
                  QLatin1String(c.expected));
    }
}

TEST(DesktopAutostart, ExecValueQuotesAndEscapesWhatTheFormatAsks) {
    const struct {
        const char* program;
        std::optional<const char*> exec; // as written in the file
    } cases[] = {
        {"/usr/bin/gloamery", "/usr/bin/gloamery"},
        {"/home/a b/gloamery", R"("/home/a b/gloamery")"},
        {"/opt/100%/gloamery", "/opt/100%%/gloamery"},
        {"/opt/1% x/gloamery", R"("/opt/1%% x/gloamery")"},
        {"/opt/a$b/gloamery", R"("/opt/a\\$b/gloamery")"},
        {"/opt/a\\b/gloamery", R"("/opt/a\\\\b/gloamery")"},
        {"/opt/a\"b/gloamery", R"("/opt/a\\"b/gloamery")"},
        {"/opt/a`b/gloamery", R"("/opt/a\\`b/gloamery")"},
        {"/opt/it's/gloamery", R"("/opt/it's/gloamery")"},
        {"/opt/a=b;c/gloamery", R"("/opt/a=b;c/gloamery")"},
        {"/opt/Призрак/gloamery", "/opt/Призрак/gloamery"},
        {"/opt/a\nb/gloamery", std::nullopt},
        {"/opt/a\tb/gloamery", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program);
        const std::optional<QString> exec =
            DesktopAutostart::execValue(QString::fromUtf8(c.program));
        ASSERT_EQ(exec.has_value(), c.exec.has_value());
        if (c.exec) {
            EXPECT_EQ(*exec, QString::fromUtf8(*c.exec));
        }
    }
}

class DesktopAutostartFiles : public ::testing::Test {
protected:
    QString configHome() const { return temp.filePath(QStringLiteral("config")); }
    DesktopAutostart autostart(const QString& program = QStringLiteral("/usr/bin/gloamery-ru")) {
        return DesktopAutostart(QStringLiteral("gloamery-ru"), program, configHome());
    }
    QString entry() const {
        return configHome() + QStringLiteral("/autostart/gloamery-ru.desktop");
    }
    QByteArray entryText() const {
        QFile file(entry());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir temp;
};

TEST_F(DesktopAutostartFiles, TickingWritesTheEditionsEntryAndUntickingRemovesIt) {
    const DesktopAutostart start = autostart();
    EXPECT_EQ(start.entryPath(), entry());
    EXPECT_FALSE(start.isEnabled());

    EXPECT_EQ(start.setEnabled(true), QString());
    EXPECT_TRUE(start.isEnabled());
    const QByteArray text = entryText();
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n")) << text.toStdString();
    for (const char* line : {"\nType=Application\n", "\nExec=/usr/bin/gloamery-ru\n",
                             "\nIcon=gloamery\n", "\nName=Gloamery\n"})
        EXPECT_TRUE(text.contains(line)) << line;

    EXPECT_EQ(start.setEnabled(false), QString());
    EXPECT_FALSE(start.isEnabled());
    EXPECT_FALSE(QFile::exists(entry()));
    // Removing what is not there is no failure.
    EXPECT_EQ(start.setEnabled(false), QString());
}

TEST_F(DesktopAutostartFiles, AnEntryMadeElsewhereCountsAsTicked) {
    ASSERT_TRUE(QDir().mkpath(configHome() + QStringLiteral("/autostart")));
    QFile file(entry());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_TRUE(autostart().isEnabled());
    // Another edition's entry is not this one's.
    EXPECT_FALSE(DesktopAutostart(QStringLiteral("gloamery"), QStringLiteral("/usr/bin/gloamery"),
                                  configHome())
                     .isEnabled());
}

TEST_F(DesktopAutostartFiles, FailuresAreReportedAndLeaveTheStateAsItIs) {
    const struct {
        const char* name;
        std::function<void(const QString& configHome, const QString& entry)> prepare;
        bool enable;
        bool enabledAfter;
    } cases[] = {
        {"the configuration folder is a file",
         [](const QString& home, const QString&) {
             QFile file(home);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
         },
         true, false},
        {"the entry is a folder",
         [](const QString&, const QString& entry) { ASSERT_TRUE(QDir().mkpath(entry)); }, false,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir local;
        const QString home = local.filePath(QStringLiteral("config"));
        const DesktopAutostart start(QStringLiteral("gloamery"),
                                     QStringLiteral("/usr/bin/gloamery"), home);
        c.prepare(home, start.entryPath());
        EXPECT_FALSE(start.setEnabled(c.enable).isEmpty());
        EXPECT_EQ(start.isEnabled(), c.enabledAfter);
    }
}

TEST_F(DesktopAutostartFiles, APathTheFormatCannotHoldWritesNothing) {
    const DesktopAutostart start = autostart(QStringLiteral("/tmp/a\nb/gloamery"));
    EXPECT_FALSE(start.setEnabled(true).isEmpty());
    EXPECT_FALSE(start.isEnabled());
}

// The desktop's own checker reads the entries back, quoting included.
TEST_F(DesktopAutostartFiles, EntriesPassDesktopFileValidate) {
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty())
        GTEST_SKIP() << "desktop-file-validate is missing (package desktop-file-utils)";
    for (const char* program :
         {"/usr/bin/gloamery-ru", "/home/a b/it's $HOME/100%/x\\y\"z`/gloamery-ru"}) {
        SCOPED_TRACE(program);
        const DesktopAutostart start = autostart(QString::fromUtf8(program));
        ASSERT_EQ(start.setEnabled(true), QString());
        QProcess check;
        check.start(validator, {start.entryPath()});
        ASSERT_TRUE(check.waitForFinished(30000));
        EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString();
        EXPECT_EQ(check.readAllStandardOutput(), QByteArray());
    }
}

} // namespace
