// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SettingsStore.h"

#include "core/StoreError.h"
#include "support/TempStore.h"

#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString Key = QStringLiteral("SoftWare\\Brannoch\\Gloamery\\");

QString errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const StoreError& error) {
        return error.message();
    }
    return {};
}

TEST(SettingsStore, ReadsEachValueOnlyAsTheTypeItWasWrittenWith) {
    TempStore temp;
    {
        auto key = temp.store().openKey(Key, true);
        key->writeInteger(QStringLiteral("Int"), -7);
        key->writeString(QStringLiteral("Digits"), QStringLiteral("42"));
        key->writeBinary(QStringLiteral("Bytes"), QByteArray("\x00\x01\xff", 3));
        key->writeBool(QStringLiteral("Flag"), true);
    }
    auto key = temp.reopen().openKey(Key, false);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->readInteger(QStringLiteral("Int")), -7);
    EXPECT_EQ(key->readString(QStringLiteral("Digits")), QStringLiteral("42"));
    EXPECT_EQ(key->readBinary(QStringLiteral("Bytes")), QByteArray("\x00\x01\xff", 3));
    EXPECT_EQ(key->readInteger(QStringLiteral("Flag")), 1);

    struct WrongRead {
        const char* name;
        std::function<void()> read;
    };
    const WrongRead wrongReads[] = {
        {"Digits",
         [&] {
             key->readInteger(QStringLiteral("Digits"));
         }},
        {"Digits",
         [&] {
             key->readBool(QStringLiteral("Digits"));
         }},
        {"Digits",
         [&] {
             key->readBinary(QStringLiteral("Digits"));
         }},
        {"Int",
         [&] {
             key->readString(QStringLiteral("Int"));
         }},
        {"Bytes",
         [&] {
             key->readInteger(QStringLiteral("Bytes"));
         }},
        {"Bytes",
         [&] {
             key->readString(QStringLiteral("Bytes"));
         }},
        {"Missing",
         [&] {
             key->readInteger(QStringLiteral("Missing"));
         }},
    };
    for (const WrongRead& wrong : wrongReads)
        EXPECT_EQ(errorOf(wrong.read),
                  QStringLiteral("Invalid data type for '%1'").arg(QLatin1String(wrong.name)));
}

TEST(SettingsStore, BooleansAreTrueForAnyNonZeroInteger) {
    TempStore temp;
    auto key = temp.store().openKey(Key, true);
    const std::pair<qint32, bool> cases[] = {{0, false}, {1, true}, {5, true}, {-1, true}};
    for (const auto& [stored, expected] : cases) {
        key->writeInteger(QStringLiteral("B"), stored);
        EXPECT_EQ(key->readBool(QStringLiteral("B")), expected) << stored;
    }
    key->writeBool(QStringLiteral("B"), false);
    EXPECT_EQ(key->readInteger(QStringLiteral("B")), 0);
}

TEST(SettingsStore, IntegersKeepTheirFullThirtyTwoBitRange) {
    TempStore temp;
    auto key = temp.store().openKey(Key, true);
    for (qint32 value : {std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()}) {
        key->writeInteger(QStringLiteral("V"), value);
        EXPECT_EQ(key->readInteger(QStringLiteral("V")), value);
    }
}

TEST(SettingsStore, AnIntegerOutsideThirtyTwoBitsPutThereByHandIsAWrongType) {
    TempStore temp;
    temp.store().openKey(Key, true)->writeInteger(QStringLiteral("Big"), 1);
    temp.close();
    temp.execSql("UPDATE key_values SET data = 5000000000 WHERE name = 'Big'");
    auto key = temp.reopen().openKey(Key, false);
    EXPECT_EQ(errorOf([&] { key->readInteger(QStringLiteral("Big")); }),
              QStringLiteral("Invalid data type for 'Big'"));
}

TEST(SettingsStore, ATypeTagThatDisagreesWithTheStoredDataIsAWrongType) {
    // Someone edited the file by hand: an "integer" holding text must not be converted.
    TempStore temp;
    temp.store().openKey(Key, true)->writeInteger(QStringLiteral("Edited"), 3);
    temp.close();
    temp.execSql("UPDATE key_values SET data = '3' WHERE name = 'Edited'");
    auto key = temp.reopen().openKey(Key, false);
    EXPECT_EQ(errorOf([&] { key->readInteger(QStringLiteral("Edited")); }),
              QStringLiteral("Invalid data type for 'Edited'"));
}

TEST(SettingsStore, TextsKeepTheirExactCodePoints) {
    TempStore temp;
    const QString text = QStringLiteral("Ghost\u2019s line\n\rвторая строка \U0001F47B");
    temp.store().openKey(Key, true)->writeString(QStringLiteral("Text"), text);
    auto key = temp.reopen().openKey(Key, false);
    EXPECT_EQ(key->readString(QStringLiteral("Text")), text);
    temp.store().openKey(Key, true)->writeString(QStringLiteral("Empty"), QString());
    EXPECT_EQ(temp.store().openKey(Key, false)->readString(QStringLiteral("Empty")), QString());
}

TEST(SettingsStore, KeyPathsAndValueNamesIgnoreLetterCaseAndTrailingBackslash) {
    TempStore temp;
    temp.store()
        .openKey(QStringLiteral("SoftWare\\Brannoch\\Gloamery\\Ghosts\\"), true)
        ->writeInteger(QStringLiteral("Ghost_1_Regime"), 4);

    const char* const spellings[] = {"software\\brannoch\\gloamery\\ghosts",
                                     "SOFTWARE\\BRANNOCH\\GLOAMERY\\GHOSTS\\",
                                     "SoftWare\\Brannoch\\Gloamery\\Ghosts"};
    for (const char* spelling : spellings) {
        auto key = temp.store().openKey(QLatin1String(spelling), false);
        ASSERT_TRUE(key) << spelling;
        EXPECT_TRUE(key->valueExists(QStringLiteral("GHOST_1_regime"))) << spelling;
        EXPECT_EQ(key->readInteger(QStringLiteral("ghost_1_REGIME")), 4) << spelling;
    }
    // Rewriting under another spelling updates the one value; it does not add a second.
    temp.store()
        .openKey(QStringLiteral("software\\brannoch\\gloamery\\ghosts"), true)
        ->writeInteger(QStringLiteral("GHOST_1_REGIME"), 2);
    temp.close();
    EXPECT_EQ(temp.querySingle("SELECT count(*) || ':' || name || ':' || data FROM key_values"),
              QStringLiteral("1:Ghost_1_Regime:2"));
    EXPECT_EQ(temp.querySingle("SELECT group_concat(name, '/') FROM keys"),
              QStringLiteral("SoftWare/Brannoch/Gloamery/Ghosts"));
}

TEST(SettingsStore, CyrillicNamesCompareWithoutLetterCase) {
    TempStore temp;
    temp.store().openKey(QStringLiteral("Ключ"), true)->writeInteger(QStringLiteral("Имя"), 1);
    auto key = temp.store().openKey(QStringLiteral("КЛЮЧ"), false);
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->valueExists(QStringLiteral("иМЯ")));
}

TEST(SettingsStore, CreatingAKeyCreatesItsParentsAndMissingKeysAreNotOpened) {
    TempStore temp;
    SettingsStore& store = temp.store();
    EXPECT_FALSE(store.openKey(QStringLiteral("A\\B\\C"), false));
    EXPECT_FALSE(store.keyExists(QStringLiteral("A")));
    EXPECT_TRUE(store.openKey(QStringLiteral("A\\B\\C\\"), true));
    for (const char* path : {"A", "a\\b", "A\\B\\C", "\\A\\B\\"})
        EXPECT_TRUE(store.keyExists(QLatin1String(path))) << path;
    EXPECT_FALSE(store.keyExists(QStringLiteral("A\\C")));
    EXPECT_FALSE(store.keyExists(QStringLiteral("B")));
}

TEST(SettingsStore, WritesBecomeVisibleToOthersOnlyWhenTheKeyCloses) {
    TempStore temp;
    {
        auto key = temp.store().openKey(Key, true);
        key->writeInteger(QStringLiteral("Before"), 1);
    }
    auto key = temp.store().openKey(Key, true);
    key->writeInteger(QStringLiteral("During"), 2);

    SettingsStore other(temp.path());
    auto otherKey = other.openKey(Key, false);
    ASSERT_TRUE(otherKey);
    EXPECT_TRUE(otherKey->valueExists(QStringLiteral("Before")));
    EXPECT_FALSE(otherKey->valueExists(QStringLiteral("During")));
    otherKey.reset();

    key->close();
    auto afterClose = other.openKey(Key, false);
    EXPECT_TRUE(afterClose->valueExists(QStringLiteral("During")));
}

TEST(SettingsStore, AFailedWriteIsReportedAndTheWritesBeforeItAreKept) {
    TempStore temp;
    temp.store().openKey(Key, true); // creates the schema
    temp.close();
    temp.execSql("CREATE TRIGGER refuse BEFORE INSERT ON key_values WHEN NEW.name = 'Bad' "
                 "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    {
        auto key = temp.reopen().openKey(Key, true);
        key->writeInteger(QStringLiteral("First"), 1);
        EXPECT_EQ(errorOf([&] { key->writeInteger(QStringLiteral("Bad"), 2); }),
                  QStringLiteral("Failed to set data for 'Bad'"));
        key->writeString(QStringLiteral("After"), QStringLiteral("still written"));
        key->close();
    }
    auto key = temp.reopen().openKey(Key, false);
    EXPECT_EQ(key->readInteger(QStringLiteral("First")), 1);
    EXPECT_FALSE(key->valueExists(QStringLiteral("Bad")));
    EXPECT_EQ(key->readString(QStringLiteral("After")), QStringLiteral("still written"));
}

TEST(SettingsStore, WritesBeforeAFailureThatRollsBackTheWholeTransactionAreReplayed) {
    // RAISE(ROLLBACK) ends the transaction itself, unlike RAISE(ABORT): the writes before the
    // failed one are gone from SQLite and only the store's replay brings them back.
    TempStore temp;
    temp.store().openKey(Key, true);
    temp.close();
    temp.execSql("CREATE TRIGGER refuse BEFORE INSERT ON key_values WHEN NEW.name = 'Bad' "
                 "BEGIN SELECT RAISE(ROLLBACK, 'refused'); END;");
    {
        auto key = temp.reopen().openKey(Key, true);
        key->writeInteger(QStringLiteral("First"), 1);
        key->writeString(QStringLiteral("Second"), QStringLiteral("two"));
        EXPECT_EQ(errorOf([&] { key->writeInteger(QStringLiteral("Bad"), 2); }),
                  QStringLiteral("Failed to set data for 'Bad'"));
        key->writeInteger(QStringLiteral("After"), 3);
        key->close();
    }
    auto key = temp.reopen().openKey(Key, false);
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->valueExists(QStringLiteral("First")));
    EXPECT_TRUE(key->valueExists(QStringLiteral("Second")));
    EXPECT_FALSE(key->valueExists(QStringLiteral("Bad")));
    EXPECT_EQ(key->readInteger(QStringLiteral("After")), 3);
}

TEST(SettingsStore, AKeyOpenedForWritingUnderAForeignLockFailsEachWriteWithItsName) {
    for (const char* lock : {"BEGIN IMMEDIATE", "BEGIN EXCLUSIVE"}) {
        TempStore temp;
        temp.store().openKey(Key, true)->writeInteger(QStringLiteral("Old"), 1);
        temp.close();
        SettingsStore store(temp.path(), 100);
        sqlite3* other = nullptr;
        ASSERT_EQ(sqlite3_open(temp.path().toUtf8().constData(), &other), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(other, lock, nullptr, nullptr, nullptr), SQLITE_OK) << lock;
        {
            auto key = store.openKey(Key, true);
            ASSERT_TRUE(key) << lock << ": a save must learn what it could not keep";
            for (const char* name : {"New", "Newer"})
                EXPECT_EQ(errorOf([&] { key->writeInteger(QLatin1String(name), 2); }),
                          QStringLiteral("Failed to set data for '%1'").arg(QLatin1String(name)))
                    << lock;
            key.reset();
            EXPECT_FALSE(store.holdsKeys());
            // A missing key is still not created nor pretended for a mere reader.
            EXPECT_FALSE(store.openKey(QStringLiteral("Nowhere"), false)) << lock;
        }
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        EXPECT_EQ(temp.querySingle("SELECT group_concat(name) FROM key_values"),
                  QStringLiteral("Old"))
            << lock;
    }
}

TEST(SettingsStore, ARunKilledInTheMiddleOfASaveLeavesTheStoreAsBefore) {
    TempStore temp;
    {
        auto key = temp.store().openKey(Key, true);
        for (int i = 0; i < 40; ++i)
            key->writeInteger(QStringLiteral("Value_%1").arg(i), i);
    }
    temp.close();

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SettingsStore store(temp.path());
        auto key = store.openKey(Key, true);
        for (int i = 0; i < 20; ++i)
            key->writeInteger(QStringLiteral("Value_%1").arg(i), 1000 + i);
        key->writeString(QStringLiteral("Half_Written"), QStringLiteral("x"));
        raise(SIGKILL);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_EQ(WTERMSIG(status), SIGKILL);

    EXPECT_EQ(temp.querySingle("PRAGMA integrity_check"), QStringLiteral("ok"));
    auto key = temp.reopen().openKey(Key, false);
    ASSERT_TRUE(key);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(key->readInteger(QStringLiteral("Value_%1").arg(i)), i);
    EXPECT_FALSE(key->valueExists(QStringLiteral("Half_Written")));
}

TEST(SettingsStore, AWriterHeldUpByAnotherInstanceFailsCleanlyAfterWaiting) {
    TempStore temp;
    temp.store().openKey(Key, true)->writeInteger(QStringLiteral("Old"), 1);
    auto holder = temp.store().openKey(Key, true); // holds the write lock

    SettingsStore second(temp.path());
    auto key = second.openKey(Key, true);
    ASSERT_TRUE(key); // still readable
    EXPECT_EQ(key->readInteger(QStringLiteral("Old")), 1);
    EXPECT_EQ(errorOf([&] { key->writeInteger(QStringLiteral("New"), 2); }),
              QStringLiteral("Failed to set data for 'New'"));
    key.reset();
    holder.reset();
    EXPECT_EQ(temp.querySingle("PRAGMA integrity_check"), QStringLiteral("ok"));
}

TEST(SettingsStore, AFileThatIsNotOursIsNeverUsedNorChanged) {
    struct Case {
        const char* what;
        std::function<void(const QString& path)> make;
    };
    const Case cases[] = {
        {"plain text",
         [](const QString& path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write("These are my notes, not a database.\n");
         }},
        {"another program's database",
         [](const QString& path) {
             TempStore::execSqlOn(path,
                                  "CREATE TABLE notes(text); INSERT INTO notes VALUES('mine');");
         }},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings.db"));
        c.make(path);
        QFile before(path);
        ASSERT_TRUE(before.open(QIODevice::ReadOnly));
        const QByteArray original = before.readAll();
        before.close();
        {
            SettingsStore store(path);
            EXPECT_FALSE(store.isAvailable()) << c.what;
            EXPECT_FALSE(store.openKey(Key, true)) << c.what;
            EXPECT_FALSE(store.lastError().isEmpty()) << c.what;
        }
        QFile after(path);
        ASSERT_TRUE(after.open(QIODevice::ReadOnly));
        EXPECT_EQ(after.readAll(), original) << c.what;
    }
}

TEST(SettingsStore, DefaultPathFollowsTheEnvironment) {
    const QByteArray savedSettings = qgetenv("GLOAMERY_SETTINGS");
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("GLOAMERY_SETTINGS", "/tmp/x/explicit.db");
    EXPECT_EQ(SettingsStore::defaultPath(), QStringLiteral("/tmp/x/explicit.db"));
    qunsetenv("GLOAMERY_SETTINGS");
    qputenv("XDG_CONFIG_HOME", "/tmp/config-home");
    EXPECT_EQ(SettingsStore::defaultPath(),
              QStringLiteral("/tmp/config-home/gloamery/settings.db"));
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_TRUE(
        SettingsStore::defaultPath().endsWith(QStringLiteral("/.config/gloamery/settings.db")));
    if (!savedSettings.isNull())
        qputenv("GLOAMERY_SETTINGS", savedSettings);
    if (!savedConfig.isNull())
        qputenv("XDG_CONFIG_HOME", savedConfig);
}

TEST(SettingsStore, CreatesTheFoldersOfANewStore) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("deep/er/settings.db"));
    SettingsStore store(path);
    EXPECT_TRUE(store.isAvailable());
    EXPECT_TRUE(store.openKey(Key, true));
    EXPECT_TRUE(QFile::exists(path));
}

} // namespace
