// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramRun.h"
#include "ghosts/TfmGhost.h"
#include "support/TempStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <sqlite3.h>

namespace {

const QString ProgramKey = QStringLiteral("SoftWare\\Brannoch\\Gloamery\\");
const QString GhostsKey = QStringLiteral("SoftWare\\Brannoch\\Gloamery\\Ghosts\\");

// A second program on the same file, as another instance or a database tool would be.
class ForeignConnection {
public:
    explicit ForeignConnection(const QString& file) {
        sqlite3_open(file.toUtf8().constData(), &m_db);
        sqlite3_busy_timeout(m_db, 0);
    }
    ~ForeignConnection() { sqlite3_close(m_db); }
    bool exec(const char* sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == 0; }
    // True when the write lock could be taken at once (and gives it back).
    bool writeLockIsFree() { return exec("BEGIN IMMEDIATE") && exec("ROLLBACK"); }

private:
    sqlite3* m_db = nullptr;
};

// Records each box and whether, while it waited, the settings file was free for others.
class LockCheckingMessageBoxes : public MessageBoxes {
public:
    explicit LockCheckingMessageBoxes(const QString& file)
        : m_other(file) {}
    void showError(const QString& text) override {
        errors.append(text);
        lockFree.push_back(m_other.writeLockIsFree());
    }
    QStringList errors;
    std::vector<bool> lockFree;

private:
    ForeignConnection m_other;
};

TEST(StoreFaults, AStoreThatCannotBeUsedIsReportedOnceAndTheProgramRunsOnItsDefaults) {
    struct Case {
        const char* what;
        const char* reason; // part of what the user is told
        std::function<QString(const QTemporaryDir&)> make;
    };
    const Case cases[] = {
        {"not a database", "not a settings database",
         [](const QTemporaryDir& dir) {
             const QString path = dir.filePath(QStringLiteral("settings.db"));
             QFile file(path);
             EXPECT_TRUE(file.open(QIODevice::WriteOnly));
             file.write(QByteArray(8192, 'x'));
             return path;
         }},
        {"truncated", "settings database",
         [](const QTemporaryDir& dir) {
             const QString path = dir.filePath(QStringLiteral("settings.db"));
             {
                 SettingsStore store(path);
                 auto key = store.openKey(GhostsKey, true);
                 for (int i = 0; i < 400; ++i)
                     key->writeString(QStringLiteral("Filler_%1").arg(i), QString(40, 'f'));
             }
             QFile file(path);
             EXPECT_TRUE(file.resize(file.size() / 2));
             return path;
         }},
        {"a folder", "cannot be opened",
         [](const QTemporaryDir& dir) {
             const QString path = dir.filePath(QStringLiteral("settings.db"));
             QDir().mkpath(path);
             return path;
         }},
        {"in a place that cannot be written", "cannot be opened",
         [](const QTemporaryDir& dir) {
             QFile blocker(dir.filePath(QStringLiteral("gloamery")));
             EXPECT_TRUE(blocker.open(QIODevice::WriteOnly));
             return dir.filePath(QStringLiteral("gloamery/settings.db"));
         }},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString path = c.make(dir);
        SettingsStore store(path);
        ProgramRun program(store);
        ASSERT_TRUE(program.run()) << c.what;
        ASSERT_EQ(program.messages.errors.size(), 1) << c.what;
        const QString& told = program.messages.errors.first();
        EXPECT_TRUE(told.contains(path)) << c.what << ": " << qPrintable(told);
        EXPECT_TRUE(told.contains(QLatin1String(c.reason))) << c.what << ": " << qPrintable(told);
        EXPECT_TRUE(program.mainWindowShown) << c.what;
        EXPECT_EQ(program.presentations, 1) << c.what << ": the defaults, first run included";
    }
}

TEST(StoreFaults, NoBoxIsShownWhileTheProgramHoldsTheSettingsFile) {
    TempStore temp;
    temp.store()
        .openKey(ProgramKey, true)
        ->writeString(QStringLiteral("Premier"), QStringLiteral("0"));
    temp.store()
        .openKey(GhostsKey, true)
        ->writeString(QStringLiteral("Ghost_2_ON"), QStringLiteral("yes"));
    temp.close();
    temp.execSql("CREATE TRIGGER refuse BEFORE INSERT ON key_values "
                 "WHEN NEW.name = 'Attraction_Time' BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    LockCheckingMessageBoxes boxes(temp.path());
    ProgramRun program(temp.reopen());
    program.boxes = &boxes;
    ASSERT_TRUE(program.run());
    const QStringList expected = {QStringLiteral("Invalid data type for 'Premier'"),
                                  QStringLiteral("Invalid data type for 'Ghost_2_ON'"),
                                  QStringLiteral("Failed to set data for 'Attraction_Time'")};
    EXPECT_EQ(boxes.errors, expected);
    EXPECT_EQ(boxes.lockFree, std::vector<bool>(expected.size(), true));
}

TEST(StoreFaults, SavesThatCannotGetTheWriteLockReportTheFirstValueEachCouldNotKeep) {
    for (const char* lock : {"BEGIN IMMEDIATE", "BEGIN EXCLUSIVE"}) {
        TempStore temp;
        {
            ProgramRun first(temp.store());
            ASSERT_TRUE(first.run());
        }
        const QString before = temp.querySingle("SELECT group_concat(data) FROM key_values");
        SettingsStore store(temp.path(), 200);
        ForeignConnection other(temp.path());
        ProgramRun program(store);
        ASSERT_TRUE(program.run([&](Program& p) {
            p.windows().fmGhost->ghostTable()[1].Regime = 4;
            ASSERT_TRUE(other.exec(lock)) << lock;
        }));
        EXPECT_EQ(program.messages.errors,
                  QStringList({QStringLiteral("Failed to set data for 'Attraction_Time'"),
                               QStringLiteral("Failed to set data for 'Value_Max'"),
                               QStringLiteral("Failed to set data for 'AutoSocket'"),
                               QStringLiteral("Failed to set data for 'Ghost_1_Name'")}))
            << lock;
        other.exec("ROLLBACK");
        EXPECT_EQ(temp.querySingle("SELECT group_concat(data) FROM key_values"), before) << lock;
    }
}

TEST(StoreFaults, TheWrongTypesOfOneWindowsLoadShareOneBoxAndTheRestStillLoads) {
    const char* const fields[] = {
        "Name",   "ON",      "Nrav_1",       "Nrav_2",        "Nrav_3",       "Nrav_4",
        "Regime", "Special", "Regime_Dop_1", "Regime_Dop_1a", "Special_Dop_1"};
    TempStore temp;
    QStringList expected;
    {
        auto key = temp.store().openKey(GhostsKey, true);
        for (int n = 1; n <= 8; ++n) {
            for (const char* field : fields) {
                const QString name = QStringLiteral("Ghost_%1_%2").arg(n).arg(QLatin1String(field));
                if (n == 8 && QLatin1String(field) == QLatin1String("Special_Dop_1")) {
                    key->writeInteger(name, 2); // the last value is good and still read
                    continue;
                }
                if (QLatin1String(field) == QLatin1String("Name"))
                    key->writeInteger(name, n);
                else
                    key->writeString(name, QStringLiteral("%1").arg(n));
                expected.append(QStringLiteral("Invalid data type for '%1'").arg(name));
            }
        }
        key->writeString(QStringLiteral("Ghost_9_Name"), QStringLiteral("no such ghost"));
    }
    temp.store()
        .openKey(ProgramKey, true)
        ->writeString(QStringLiteral("Value_Max"), QStringLiteral("loud"));
    ProgramRun program(temp.store());
    qint32 lastSensor = -1;
    ASSERT_TRUE(program.run(
        [&](Program& p) { lastSensor = p.windows().fmGhost->ghostTable()[8].Special_Dop_1; }));
    ASSERT_EQ(program.messages.errors.size(), 2);
    EXPECT_EQ(program.messages.errors[0].split(QLatin1Char('\n')), expected);
    EXPECT_EQ(program.messages.errors[1], QStringLiteral("Invalid data type for 'Value_Max'"));
    EXPECT_EQ(lastSensor, 2);
}

} // namespace
