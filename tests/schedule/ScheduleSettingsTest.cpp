// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/ScheduleSettings.h"

#include "support/TempStore.h"

#include <gtest/gtest.h>

namespace {

TEST(ScheduleSettingsStore, KeepsEveryValueAcrossARestart) {
    const ScheduleSettings cases[] = {
        {true, QStringLiteral("fri,sat sunset-15..22:30; quiet 18:00..19:00"),
         ScheduleLocation{52.52, 13.405}},
        {false, QStringLiteral("daily 19:00..+120"), std::nullopt},
        {true, {}, ScheduleLocation{-33.868820, 151.209296}},
    };
    for (const ScheduleSettings& saved : cases) {
        SCOPED_TRACE(saved.rules.toStdString());
        TempStore temp;
        // A location once kept and then given up must not come back.
        ScheduleSettingsStore(&temp.store()).save({false, {}, ScheduleLocation{1, 2}});
        EXPECT_EQ(ScheduleSettingsStore(&temp.store()).save(saved), QString());
        ScheduleSettings loaded;
        EXPECT_EQ(ScheduleSettingsStore(&temp.reopen()).load(loaded), QString());
        EXPECT_EQ(loaded, saved);
    }
}

TEST(ScheduleSettingsStore, AValueItCannotTakeEndsTheLoadThere) {
    const struct {
        const char* sql;
        const char* told;
        bool rulesKept;
    } cases[] = {
        {"UPDATE key_values SET type = 1, data = 'x' WHERE name = 'Schedule_Enabled'",
         "Invalid data type for 'Schedule_Enabled'", false},
        {"UPDATE key_values SET data = '95' WHERE name = 'Schedule_Latitude'", "latitude", true},
        {"UPDATE key_values SET data = 'north' WHERE name = 'Schedule_Longitude'",
         "not two numbers", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        TempStore temp;
        const ScheduleSettings saved{true, QStringLiteral("daily 19:00..+120"),
                                     ScheduleLocation{52.5, 13.4}};
        ScheduleSettingsStore(&temp.store()).save(saved);
        temp.close();
        temp.execSql(c.sql);
        ScheduleSettings loaded;
        const QString told = ScheduleSettingsStore(&temp.reopen()).load(loaded);
        EXPECT_TRUE(told.contains(QLatin1String(c.told))) << told.toStdString();
        EXPECT_EQ(loaded.rules == saved.rules, c.rulesKept);
        EXPECT_FALSE(loaded.location);
    }
}

} // namespace
