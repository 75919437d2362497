// SPDX-License-Identifier: GPL-3.0-or-later
#include "ghosts/GhostTableStore.h"

#include "core/ProgramState.h"
#include "ghosts/GhostTable.h"
#include "ghosts/Ghosts.h"
#include "support/CorePlatform.h"
#include "support/RecordingMessageBoxes.h"
#include "support/TempStore.h"

#include <gtest/gtest.h>

namespace {

const QString GhostsKey = QStringLiteral("SoftWare\\Brannoch\\Gloamery\\Ghosts\\");

GhostTable varied() {
    GhostTable table;
    for (int n = 1; n <= GhostTable::GhostCount; ++n) {
        GhostSettings& g = table[n];
        g.Name = QStringLiteral("Призрак номер %1, с очень длинным именем").arg(n); // over 16
        g.ON = n % 2 == 0;
        g.Nrav_1 = n % 6;
        g.Nrav_2 = 0;
        g.Nrav_3 = n % 2;
        g.Nrav_4 = 1;
        g.Regime = n == 3 ? 9 : n % 6; // out of range values stay as they are
        g.Special = (n + 2) % 6;
        g.Regime_Dop_1 = n + 10;
        g.Regime_Dop_1a = 23 - n;
        g.Special_Dop_1 = n % 3;
    }
    return table;
}

TEST(GhostTableStore, AnEmptyStoreGivesTheDefaultGhosts) {
    TempStore temp;
    RecordingMessageBoxes messages;
    GhostTable table = varied();
    GhostTableStore(&temp.store(), &messages).load(table);
    for (int n = 1; n <= GhostTable::GhostCount; ++n) {
        GhostSettings expected;
        expected.Name = QStringLiteral("Ghost_%1").arg(n);
        EXPECT_EQ(table[n], expected) << n;
    }
    EXPECT_TRUE(messages.errors.isEmpty());
    EXPECT_TRUE(temp.store().keyExists(GhostsKey)) << "the key is created when missing";
}

TEST(GhostTableStore, SavesAllEightyEightValuesAndLoadsThemBackUnchanged) {
    TempStore temp;
    RecordingMessageBoxes messages;
    const GhostTable saved = varied();
    GhostTableStore(&temp.store(), &messages).save(saved);
    EXPECT_EQ(temp.querySingle("SELECT count(*) FROM settings WHERE key LIKE '%\\Ghosts'"),
              QStringLiteral("88"));
    EXPECT_EQ(temp.querySingle("SELECT group_concat(type) FROM (SELECT DISTINCT type FROM settings "
                               "WHERE name LIKE '%_Name' ORDER BY type)"),
              QStringLiteral("string"));
    EXPECT_EQ(temp.querySingle("SELECT data FROM settings WHERE name = 'Ghost_8_Special_Dop_1'"),
              QStringLiteral("2"));

    GhostTable loaded;
    GhostTableStore(&temp.reopen(), &messages).load(loaded);
    EXPECT_EQ(loaded, saved);
    EXPECT_TRUE(messages.errors.isEmpty());
}

TEST(GhostTableStore, OnIsStoredAsZeroOrOneAndReadAsTrueWhenNotZero) {
    TempStore temp;
    temp.store().openKey(GhostsKey, true)->writeInteger(QStringLiteral("Ghost_3_ON"), 5);
    GhostTable table;
    GhostTableStore store(&temp.store(), nullptr);
    store.load(table);
    EXPECT_TRUE(table[3].ON);
    store.save(table);
    EXPECT_EQ(temp.store().openKey(GhostsKey, false)->readInteger(QStringLiteral("Ghost_3_ON")), 1);
}

TEST(GhostTableStore, AWrongTypedValueCostsOnlyThatValue) {
    TempStore temp;
    RecordingMessageBoxes messages;
    const GhostTable original = varied();
    GhostTableStore(&temp.store(), &messages).save(original);
    temp.store()
        .openKey(GhostsKey, true)
        ->writeString(QStringLiteral("Ghost_3_Regime"), QStringLiteral("2"));

    GhostTable loaded;
    GhostTableStore(&temp.store(), &messages).load(loaded);
    EXPECT_EQ(messages.errors,
              QStringList{QStringLiteral("Invalid data type for 'Ghost_3_Regime'")});

    GhostTable expected = original;
    expected[3].Regime = 0; // its default
    EXPECT_EQ(loaded, expected);

    // Saving writes the rest back unchanged and mends the bad value.
    messages.errors.clear();
    GhostTableStore(&temp.store(), &messages).save(loaded);
    GhostTable reloaded;
    GhostTableStore(&temp.reopen(), &messages).load(reloaded);
    EXPECT_EQ(reloaded, expected);
    EXPECT_TRUE(messages.errors.isEmpty());
}

TEST(GhostTableStore, AFailedWriteIsReportedAndEndsTheSaveAtThatValue) {
    TempStore temp;
    const GhostTable before = varied();
    GhostTableStore(&temp.store(), nullptr).save(before);
    temp.close();
    temp.execSql("CREATE TRIGGER refuse BEFORE UPDATE ON key_values "
                 "WHEN NEW.name = 'Ghost_5_Nrav_2' BEGIN SELECT RAISE(ABORT, 'refused'); END;");

    GhostTable after = before;
    for (int n = 1; n <= GhostTable::GhostCount; ++n) {
        after[n].Nrav_2 = 1;
        after[n].Nrav_3 = 7;
    }
    RecordingMessageBoxes messages;
    GhostTableStore(&temp.reopen(), &messages).save(after);
    EXPECT_EQ(messages.errors,
              QStringList{QStringLiteral("Failed to set data for 'Ghost_5_Nrav_2'")});

    GhostTable loaded;
    GhostTableStore(&temp.reopen(), nullptr).load(loaded);
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(loaded[n], after[n]) << "written before the failure: ghost " << n;
    EXPECT_EQ(loaded[5].Nrav_1, after[5].Nrav_1);
    EXPECT_EQ(loaded[5].Nrav_2, before[5].Nrav_2);
    EXPECT_EQ(loaded[5].Nrav_3, before[5].Nrav_3) << "not written after the failure";
    for (int n = 6; n <= 8; ++n)
        EXPECT_EQ(loaded[n], before[n]) << "not written after the failure: ghost " << n;
}

TEST(Ghosts, KeepTheirTableInTheStoreOnlyOnceItWasLoaded) {
    TempStore temp;
    CorePlatform fakes;
    ProgramState state;
    const PlatformServices platform = fakes.services(&temp.store());
    {
        Ghosts ghosts(state, platform, nullptr);
        ghosts.loadSettings();
        EXPECT_EQ(ghosts.table()[8].Name, QStringLiteral("Ghost_8"));
        ghosts.table()[2].Special = 4;
    }
    {
        // Never loaded: its defaults must not overwrite what the user set.
        Ghosts unloaded(state, platform, nullptr);
        unloaded.table()[2].Special = 1;
    }
    Ghosts again(state, platform, nullptr);
    again.loadSettings();
    EXPECT_EQ(again.table()[2].Special, 4);
    EXPECT_TRUE(fakes.messages.errors.isEmpty());
}

} // namespace
