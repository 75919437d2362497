// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeSettings.h"

#include "core/SettingsStore.h"
#include "home/HomeSettingsCheck.h"
#include "support/TempStore.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

struct CleanCase {
    const char* from;
    const char* to;
};

class CleanNodeId : public testing::TestWithParam<CleanCase> {};

TEST_P(CleanNodeId, KeepsWhatATopicLevelTakes) {
    EXPECT_EQ(HomeSettings::cleanNodeId(QString::fromUtf8(GetParam().from)),
              QString::fromUtf8(GetParam().to));
}

INSTANTIATE_TEST_SUITE_P(HostNames, CleanNodeId,
                         testing::Values(CleanCase{"Living-Room.local", "living_room_local"},
                                         CleanCase{"a b--c", "a_b_c"},
                                         CleanCase{"__Attic__", "attic"}, CleanCase{"pc_2", "pc_2"},
                                         CleanCase{"Ёлка", "gloamery"}, CleanCase{"", "gloamery"}));

TEST(HomeSettings, AnEmptyBaseTopicFollowsTheNodeId) {
    const struct {
        const char* node;
        const char* base;
        const char* used;
    } cases[] = {{"attic", "", "gloamery/attic"}, {"attic", "house/attic", "house/attic"}};
    for (const auto& c : cases) {
        HomeSettings settings;
        settings.nodeId = QLatin1String(c.node);
        settings.baseTopic = QLatin1String(c.base);
        EXPECT_EQ(settings.effectiveBaseTopic(), QLatin1String(c.used));
    }
}

TEST(HomeSettingsStore, KeepsEveryValueAcrossARestart) {
    TempStore temp;
    const HomeSettings saved{true,
                             QStringLiteral("broker.lan"),
                             8883,
                             QStringLiteral("room"),
                             QStringLiteral("пароль"),
                             true,
                             QStringLiteral("/etc/ca.pem"),
                             QStringLiteral("attic"),
                             QStringLiteral("house/attic"),
                             QStringLiteral("ha")};
    EXPECT_EQ(HomeSettingsStore(&temp.store()).save(saved), QString());
    HomeSettings loaded;
    EXPECT_EQ(HomeSettingsStore(&temp.reopen()).load(loaded), QString());
    EXPECT_EQ(loaded, saved);
}

TEST(HomeSettingsStore, AValueOfTheWrongTypeEndsTheLoadThere) {
    const struct {
        const char* name;
        bool hostKept;
    } cases[] = {{"Mqtt_Port", true}, {"Mqtt_Enabled", false}};
    for (const auto& c : cases) {
        TempStore temp;
        HomeSettings saved;
        saved.host = QStringLiteral("broker.lan");
        saved.user = QStringLiteral("room");
        HomeSettingsStore(&temp.store()).save(saved);
        temp.close();
        temp.execSql(QStringLiteral("UPDATE key_values SET type = 1, data = 'x' WHERE name = '%1'")
                         .arg(QLatin1String(c.name))
                         .toUtf8()
                         .constData());
        HomeSettings loaded;
        EXPECT_EQ(HomeSettingsStore(&temp.reopen()).load(loaded),
                  QStringLiteral("Invalid data type for '%1'").arg(QLatin1String(c.name)));
        EXPECT_EQ(loaded.host == saved.host, c.hostKept) << c.name;
        EXPECT_EQ(loaded.user, QString()) << c.name;
    }
}

struct CheckCase {
    const char* what;
    HomeField field;
    std::function<void(HomeSettings&)> change;
    const char* told; // empty: taken
    Language language = Language::English;
};

class HomeCheck : public testing::TestWithParam<CheckCase> {};

TEST_P(HomeCheck, RefusesWhatTheLinkCannotUse) {
    const CheckCase& c = GetParam();
    HomeSettings settings;
    c.change(settings);
    const QString told = HomeSettingsCheck::problem(settings, c.field, c.language);
    if (*c.told == 0)
        EXPECT_EQ(told, QString()) << c.what;
    else
        EXPECT_TRUE(told.contains(QString::fromUtf8(c.told)))
            << c.what << ": " << told.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Values, HomeCheck,
    testing::Values(
        CheckCase{"empty host", HomeField::Host, [](auto& s) { s.host = " "; }, "host is empty"},
        CheckCase{"host", HomeField::Host, [](auto& s) { s.host = "b"; }, ""},
        CheckCase{"port 0", HomeField::Port, [](auto& s) { s.port = 0; },
                  "'0' is not a valid port"},
        CheckCase{"port 65535", HomeField::Port, [](auto& s) { s.port = 65535; }, ""},
        CheckCase{"capital", HomeField::NodeId, [](auto& s) { s.nodeId = "Attic"; }, "node id"},
        CheckCase{"node id", HomeField::NodeId, [](auto& s) { s.nodeId = "attic_2"; }, ""},
        CheckCase{"node all", HomeField::NodeId, [](auto& s) { s.nodeId = "all"; },
                  "lies in gloamery/all"},
        CheckCase{"under all", HomeField::BaseTopic,
                  [](auto& s) { s.baseTopic = "gloamery/all/x"; }, "lies in gloamery/all"},
        CheckCase{"beside all", HomeField::BaseTopic,
                  [](auto& s) { s.baseTopic = "gloamery/allx"; }, ""},
        CheckCase{"wildcard", HomeField::BaseTopic, [](auto& s) { s.baseTopic = "a/+/b"; },
                  "must not hold"},
        CheckCase{"leading /", HomeField::BaseTopic, [](auto& s) { s.baseTopic = "/a"; },
                  "must not hold"},
        CheckCase{"trailing /", HomeField::DiscoveryPrefix,
                  [](auto& s) { s.discoveryPrefix = "ha/"; }, "discovery prefix"},
        CheckCase{"empty prefix", HomeField::DiscoveryPrefix,
                  [](auto& s) { s.discoveryPrefix = ""; }, "discovery prefix"},
        CheckCase{"hash", HomeField::DiscoveryPrefix, [](auto& s) { s.discoveryPrefix = "h#"; },
                  "discovery prefix"},
        CheckCase{"no CA", HomeField::Tls,
                  [](auto& s) {
                      s.tls = true;
                      s.caFile = "/nonexistent/ca.pem";
                  },
                  "cannot be read"},
        CheckCase{"CA without TLS", HomeField::CaFile,
                  [](auto& s) { s.caFile = "/nonexistent/ca.pem"; }, ""},
        CheckCase{"CA is a folder", HomeField::CaFile,
                  [](auto& s) {
                      s.tls = true;
                      s.caFile = "/";
                  },
                  "cannot be read"},
        CheckCase{"turned on", HomeField::Enabled,
                  [](auto& s) {
                      s.enabled = true;
                      s.discoveryPrefix = "#";
                  },
                  "discovery prefix"},
        CheckCase{"turned off", HomeField::Enabled, [](auto& s) { s.discoveryPrefix = "#"; }, ""},
        CheckCase{"in Russian", HomeField::Host, [](auto& s) { s.host = ""; }, "не указан сервер",
                  Language::Russian}));

TEST(HomeCheck, AReadableCaFileIsTaken) {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("ca.pem")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    HomeSettings settings;
    settings.tls = true;
    settings.caFile = file.fileName();
    EXPECT_EQ(HomeSettingsCheck::firstProblem(settings, Language::English), QString());
}

} // namespace
