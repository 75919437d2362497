// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/StoreAccess.h"

#include "support/RecordingMessageBoxes.h"
#include "support/TempStore.h"

#include <gtest/gtest.h>

namespace {

const QString Key = QStringLiteral("SoftWare\\Brannoch\\Gloamery\\");

TEST(StoreReader, MissingValuesTakeDefaultsWithoutComplaint) {
    TempStore temp;
    RecordingMessageBoxes messages;
    auto key = temp.store().openKey(Key, true);
    const StoreReader read(key.get(), &messages);
    EXPECT_EQ(read.integer(QStringLiteral("A"), 7), 7);
    EXPECT_TRUE(read.boolean(QStringLiteral("B"), true));
    EXPECT_EQ(read.string(QStringLiteral("C"), QStringLiteral("x")), QStringLiteral("x"));
    EXPECT_EQ(read.binary(QStringLiteral("D"), "b"), QByteArray("b"));
    EXPECT_TRUE(messages.errors.isEmpty());
}

TEST(StoreReader, AWrongTypeIsReportedAndOnlyThatValueTakesItsDefault) {
    TempStore temp;
    {
        auto key = temp.store().openKey(Key, true);
        key->writeInteger(QStringLiteral("Before"), 3);
        key->writeString(QStringLiteral("Broken"), QStringLiteral("not a number"));
        key->writeInteger(QStringLiteral("After"), 9);
    }
    RecordingMessageBoxes messages;
    auto key = temp.store().openKey(Key, true);
    const StoreReader read(key.get(), &messages);
    EXPECT_EQ(read.integer(QStringLiteral("Before"), 0), 3);
    EXPECT_EQ(read.integer(QStringLiteral("Broken"), 42), 42);
    EXPECT_EQ(read.integer(QStringLiteral("After"), 0), 9);
    EXPECT_EQ(messages.errors, QStringList{QStringLiteral("Invalid data type for 'Broken'")});
}

TEST(StoreReader, WithoutAKeyEverythingIsDefault) {
    RecordingMessageBoxes messages;
    const StoreReader read(nullptr, &messages);
    EXPECT_EQ(read.integer(QStringLiteral("A"), -2), -2);
    EXPECT_TRUE(messages.errors.isEmpty());
}

TEST(StoreWriter, TheFirstFailedWriteIsReportedAndEndsTheSave) {
    TempStore temp;
    temp.store().openKey(Key, true);
    temp.close();
    temp.execSql("CREATE TRIGGER refuse BEFORE INSERT ON key_values WHEN NEW.name = 'Second' "
                 "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    RecordingMessageBoxes messages;
    {
        auto key = temp.reopen().openKey(Key, true);
        StoreWriter write(key.get(), &messages);
        write.integer(QStringLiteral("First"), 1);
        write.integer(QStringLiteral("Second"), 2);
        write.integer(QStringLiteral("Third"), 3);
        write.close();
        EXPECT_TRUE(write.failed());
    }
    EXPECT_EQ(messages.errors, QStringList{QStringLiteral("Failed to set data for 'Second'")});
    auto key = temp.reopen().openKey(Key, false);
    EXPECT_TRUE(key->valueExists(QStringLiteral("First")));
    EXPECT_FALSE(key->valueExists(QStringLiteral("Second")));
    EXPECT_FALSE(key->valueExists(QStringLiteral("Third")));
}

TEST(StoreWriter, FailuresAreSilentWhenNobodyIsToBeTold) {
    StoreWriter write(nullptr, nullptr);
    write.integer(QStringLiteral("A"), 1);
    write.close();
    EXPECT_TRUE(write.failed());
}

} // namespace
