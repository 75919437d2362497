// SPDX-License-Identifier: GPL-3.0-or-later
// `gloameryd config` over a real store: what it sets is what the services load, what it refuses
// leaves the store as it was, and a password never shows in a listing.
#include "daemon/config/ConfigCommand.h"

#include "app/ProgramServices.h"
#include "core/DaemonLanguage.h"
#include "core/ProgramState.h"
#include "core/SettingsStore.h"
#include "core/Windows1251.h"
#include "home/HomeSettings.h"
#include "support/CorePlatform.h"
#include "support/TempStore.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int code;
    QString out;
    QString err;
};

Outcome config(SettingsStore& store, const QStringList& args) {
    Outcome run{0, {}, {}};
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.code = runConfigCommand(args, store, out, err);
    return run;
}

QString storeDump(const TempStore& temp) {
    return temp.querySingle("SELECT group_concat(key || '/' || name || '=' || hex(data), ';') "
                            "FROM (SELECT * FROM settings ORDER BY key, name)");
}

// Runs the services over the store once, so every value they keep is there.
void runServicesOnce(SettingsStore& store) {
    CorePlatform fakes;
    ProgramState state;
    ProgramServices program(state, fakes.services(&store));
}

bool hasClient(const NetClients& clients, const QString& name, const QString& password) {
    return clients.find(*Windows1251::encode(name), *Windows1251::encode(password)) != nullptr;
}

int clientIndex(const NetClients& clients, const char* name) {
    return static_cast<int>(clients.names().indexOf(QLatin1String(name)));
}

HomeSettings homeSettings(SettingsStore& store) {
    HomeSettings settings;
    HomeSettingsStore(&store).load(settings);
    return settings;
}

struct SetCase {
    const char* key;
    QString value;
    std::function<bool(ProgramServices&, SettingsStore&)> loaded;
};

class ConfigSet : public testing::TestWithParam<SetCase> {};

TEST_P(ConfigSet, TheServicesLoadWhatWasSet) {
    const SetCase& c = GetParam();
    TempStore temp;
    runServicesOnce(temp.store());
    const Outcome run =
        config(temp.reopen(), {QStringLiteral("set"), QString::fromUtf8(c.key), c.value});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty());

    CorePlatform fakes;
    ProgramState state;
    ProgramServices program(state, fakes.services(&temp.reopen()));
    EXPECT_TRUE(c.loaded(program, temp.store()));
    EXPECT_TRUE(fakes.messages.errors.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    EveryGroup, ConfigSet,
    testing::Values(SetCase{"language", "ru",
                            [](auto&, SettingsStore& s) {
                                return DaemonLanguage::load(&s, nullptr) == Language::Russian;
                            }},
                    SetCase{"attraction.duration", "30",
                            [](ProgramServices& p, auto&) {
                                return p.attraction.options().Attraction_Time == 1;
                            }},
                    SetCase{"attraction.open-door", "yes",
                            [](ProgramServices& p, auto&) {
                                return p.attraction.options().Attraction_Over_1;
                            }},
                    SetCase{"attraction.final-sound", "ON",
                            [](ProgramServices& p, auto&) {
                                return p.attraction.options().Attraction_Over_2;
                            }},
                    SetCase{"attraction.start-on-launch", "1",
                            [](ProgramServices& p, auto&) {
                                return p.attraction.options().Attraction_Autostart;
                            }},
                    SetCase{"sound.volume-max", "60",
                            [](ProgramServices& p, auto&) {
                                return p.sound.Value_Max == 60;
                            }},
                    SetCase{"ghost.3.specialty", "plumber",
                            [](ProgramServices& p, auto&) {
                                return p.ghosts.table()[3].Special == 3;
                            }},
                    SetCase{"ghost.2.regime", "night",
                            [](ProgramServices& p, auto&) {
                                return p.ghosts.table()[2].Regime == 2;
                            }},
                    SetCase{"ghost.4.temper", "talkative",
                            [](ProgramServices& p, auto&) {
                                return p.ghosts.table()[4].Nrav_1 == 5;
                            }},
                    SetCase{"ghost.6.name", QStringLiteral("Бука"),
                            [](ProgramServices& p, auto&) {
                                return p.ghosts.table()[6].Name == QStringLiteral("Бука");
                            }},
                    SetCase{"ghost.8.sensor", "2",
                            [](ProgramServices& p, auto&) {
                                return p.ghosts.table()[8].Special_Dop_1 == 2;
                            }},
                    SetCase{"ghost.1.to-hour", "$17",
                            [](ProgramServices& p, auto&) {
                                return p.ghosts.table()[1].Regime_Dop_1a == 23;
                            }},
                    SetCase{"web.port", "8080",
                            [](ProgramServices& p, auto&) {
                                return p.webAccess.settings().Port == "8080";
                            }},
                    SetCase{"web.user.password", "long enough",
                            [](ProgramServices& p, auto&) {
                                return p.webAccess.settings().User_Pass == "long enough";
                            }},
                    SetCase{"web.admin.ghost.5", "false",
                            [](ProgramServices& p, auto&) {
                                return !p.webAccess.settings().Web_Admin.ghost[4] &&
                                       p.webAccess.settings().Web_Admin.ghost[3];
                            }},
                    SetCase{"net.port", "26000",
                            [](ProgramServices& p, auto&) {
                                return p.netServer.settings().ServerSocket == 26000;
                            }},
                    SetCase{"net.autostart", "true",
                            [](ProgramServices& p, auto&) {
                                return p.netServer.settings().AutoSocket;
                            }},
                    SetCase{"net.client.Гость.password", QStringLiteral("пароль"),
                            [](ProgramServices& p, auto&) {
                                return hasClient(p.netServer.clients(), QStringLiteral("Гость"),
                                                 QStringLiteral("пароль"));
                            }},
                    SetCase{"net.client.client_2.rights", "1,4",
                            [](ProgramServices& p, auto&) {
                                const NetUserData& c = p.netServer.clients().at(
                                    clientIndex(p.netServer.clients(), "Client_2"));
                                return c.right(1) && !c.right(2) && !c.right(3) && c.right(4);
                            }},
                    SetCase{"net.client.Client_1.registered", "no",
                            [](ProgramServices& p, auto&) {
                                return clientIndex(p.netServer.clients(), "Client_1") < 0 &&
                                       p.netServer.clients().count() == 2;
                            }},
                    SetCase{"mqtt.enabled", "on",
                            [](auto&, SettingsStore& s) {
                                return homeSettings(s).enabled;
                            }},
                    SetCase{"mqtt.port", "8883",
                            [](auto&, SettingsStore& s) {
                                return homeSettings(s).port == 8883;
                            }},
                    SetCase{"mqtt.base-topic", "house/attic",
                            [](auto&, SettingsStore& s) {
                                return homeSettings(s).effectiveBaseTopic() == "house/attic";
                            }},
                    SetCase{
                        "schedule.city", QStringLiteral("москва"),
                        [](ProgramServices& p, auto&) {
                            return p.schedule.settings().location == ScheduleLocation{55.76, 37.62};
                        }},
                    SetCase{"schedule.enabled", "on", [](ProgramServices& p, auto&) {
                                return p.schedule.settings().enabled;
                            }}));

struct RefusedCase {
    QStringList args;
    int code;
    const char* told;
};

class ConfigRefused : public testing::TestWithParam<RefusedCase> {};

TEST_P(ConfigRefused, SaysWhyInOneLineAndChangesNothing) {
    const RefusedCase& c = GetParam();
    TempStore temp;
    runServicesOnce(temp.store());
    config(temp.reopen(), {"set", "ghost.1.specialty", "pedestrian"});
    const QString before = storeDump(temp);

    const Outcome run = config(temp.reopen(), c.args);
    EXPECT_EQ(run.code, c.code);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("gloameryd: "))) << run.err.toStdString();
    EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.told))) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    temp.close();
    EXPECT_EQ(storeDump(temp), before);
}

INSTANTIATE_TEST_SUITE_P(
    BadKeysAndValues, ConfigRefused,
    testing::Values(
        RefusedCase{{"set", "attraction.duration", "45"}, 2, "use 15, 30, 60, unlimited"},
        RefusedCase{{"set", "attraction.duration", "1"}, 2, "'1' is not allowed"},
        RefusedCase{{"set", "attraction.open-door", "maybe"}, 2, "is not a boolean"},
        RefusedCase{{"set", "sound.volume-max", "0"}, 2, "use 1 to 100"},
        RefusedCase{{"set", "sound.volume-max", "50 "}, 2, "'50 ' is not a valid integer value"},
        RefusedCase{{"set", "ghost.1.name", "Seventeen letters"}, 2, "longer than 16"},
        RefusedCase{{"set", "ghost.5.temper", "merry"}, 2, "use kind, evil"},
        RefusedCase{{"set", "ghost.1.sensor", "2"}, 2, "use 0 to 1"},
        RefusedCase{{"set", "ghost.2.from-hour", "24"}, 2, "use 0 to 23"},
        RefusedCase{{"set", "ghost.9.on", "true"}, 2, "unknown key 'ghost.9.on'"},
        RefusedCase{{"set", "web.port", "80x"}, 2, "'80x' is not a valid integer value"},
        RefusedCase{{"set", "web.port", "70000"}, 2, "'70000' is not a valid port number"},
        RefusedCase{{"set", "web.admin.password", "short"}, 2, "cannot sign in"},
        RefusedCase{{"set", "net.port", "0"}, 2, "'0' is not a valid port number"},
        RefusedCase{{"set", "net.client.New.rights", "5"}, 2, "use none"},
        RefusedCase{{"set", "net.client.Ωmega.password", "x"}, 2, "Windows-1251"},
        RefusedCase{{"set", "net.client.Client_3.password", QString(256, u'p')}, 2, "255 bytes"},
        RefusedCase{{"set", "mqtt.port", "0"}, 2, "'0' is not a valid port number"},
        RefusedCase{{"set", "mqtt.host", ""}, 2, "mqtt.host: the broker's host is empty"},
        RefusedCase{{"set", "mqtt.base-topic", "gloamery/all/attic"}, 2, "lies in gloamery/all"},
        RefusedCase{{"set", "mqtt.discovery-prefix", "ha/#"}, 2, "must not be empty, hold"},
        RefusedCase{{"set", "schedule.rules", "mon dusk..22:00"}, 2, "follows the sun"},
        RefusedCase{{"set", "schedule.rules", "mon 18:00"}, 2, "needs START..END"},
        RefusedCase{{"set", "schedule.city", "Atlantis"}, 2, "unknown city 'Atlantis': use"},
        RefusedCase{{"set", "schedule.latitude", "91"}, 2, "between -90 and 90"},
        RefusedCase{{"set", "schedule.longitude", "east"}, 2, "'east' is not a number"},
        RefusedCase{{"get", "nothing.here"}, 2, "gloameryd config list"},
        RefusedCase{{"remove", "language"}, 2, "usage"},
        RefusedCase{{"set", "language"}, 2, "usage"}));

struct ListCase {
    const char* key;
    const char* value;
    const char* listed;
};

class ConfigList : public testing::TestWithParam<ListCase> {};

TEST_P(ConfigList, ShowsValuesAndMasksPasswords) {
    const ListCase& c = GetParam();
    TempStore temp;
    ASSERT_EQ(config(temp.store(), {"set", c.key, QString::fromUtf8(c.value)}).code, 0);
    const Outcome list = config(temp.store(), {"list"});
    EXPECT_EQ(list.code, 0) << list.err.toStdString();
    EXPECT_TRUE(list.out.split('\n').contains(QString::fromUtf8(c.listed))) << c.listed;
    // Asked for by name, the value comes bare and whole.
    EXPECT_EQ(config(temp.store(), {"get", c.key}).out, QString::fromUtf8(c.value) + '\n');
}

INSTANTIATE_TEST_SUITE_P(
    Listed, ConfigList,
    testing::Values(ListCase{"web.user.password", "secret words", "web.user.password = ********"},
                    ListCase{"net.client.Гость.password", "пароль",
                             "net.client.Гость.password = ********"},
                    ListCase{"net.client.Гость.rights", "2,3", "net.client.Гость.rights = 2,3"},
                    ListCase{"attraction.duration", "unlimited", "attraction.duration = unlimited"},
                    ListCase{"ghost.7.voice", "low", "ghost.7.voice = low"},
                    ListCase{"mqtt.password", "secret", "mqtt.password = ********"},
                    ListCase{"mqtt.node-id", "attic", "mqtt.node-id = attic"},
                    ListCase{"schedule.city", "Berlin", "schedule.city = Berlin"},
                    ListCase{"schedule.longitude", "-0.13", "schedule.longitude = -0.13"},
                    ListCase{"schedule.rules", "fri 18:00..23:00 open-door",
                             "schedule.rules = fri 18:00..23:00 open-door"}));

TEST(ConfigList, AStoredNumberWithoutAWordShowsAsTheNumber) {
    TempStore temp;
    auto key = temp.store().openKey(QStringLiteral("SoftWare\\Brannoch\\Gloamery\\"), true);
    key->writeInteger(QStringLiteral("Attraction_Time"), 7);
    key->close();
    EXPECT_TRUE(config(temp.store(), {"list"}).out.contains("attraction.duration = 7\n"));
}

struct BadStoreCase {
    const char* value;
    QStringList args;
    const char* hiddenKeys; // the section's, never printed
};

class ConfigBadStore : public testing::TestWithParam<BadStoreCase> {};

// A value of the wrong type where the key lives: nothing is shown or written from that section.
TEST_P(ConfigBadStore, AValueOfTheWrongTypeStopsTheSection) {
    const BadStoreCase& c = GetParam();
    TempStore temp;
    runServicesOnce(temp.store());
    config(temp.store(), {"set", "mqtt.tls", "false"}); // every home automation value stored
    temp.close();
    TempStore::execSqlOn(temp.path(), QStringLiteral("UPDATE key_values SET type = 1, data = 'x' "
                                                     "WHERE name = '%1'")
                                          .arg(QLatin1String(c.value))
                                          .toUtf8()
                                          .constData());
    const QString before = storeDump(temp);
    const Outcome run = config(temp.reopen(), c.args);
    EXPECT_EQ(run.code, 1);
    EXPECT_FALSE(run.out.contains(QLatin1String(c.hiddenKeys))) << run.out.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("Invalid data type for '%1'").arg(c.value)))
        << run.err.toStdString();
    temp.close();
    EXPECT_EQ(storeDump(temp), before);
}

INSTANTIATE_TEST_SUITE_P(
    WrongTypes, ConfigBadStore,
    testing::Values(BadStoreCase{"Ghost_3_Regime", {"set", "ghost.1.on", "true"}, "ghost."},
                    BadStoreCase{"User_OK", {"set", "web.port", "8013"}, "web."},
                    BadStoreCase{"Value_Max", {"get", "sound.volume-max"}, "sound."},
                    BadStoreCase{
                        "UserData1", {"set", "net.client.Client_1.rights", "1"}, "net.client."},
                    BadStoreCase{"AutoSocket", {"list"}, "net.port"},
                    BadStoreCase{"Mqtt_Tls", {"set", "mqtt.user", "room"}, "mqtt."}));

class ConfigUnusableStore : public testing::TestWithParam<QStringList> {};

TEST_P(ConfigUnusableStore, LeavesTheFileUntouched) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.db"));
    const QByteArray garbage("not a settings store, and not to be overwritten");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(garbage);
    }
    SettingsStore store(path);
    const Outcome run = config(store, GetParam());
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("gloameryd: the settings store ")));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), garbage);
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, ConfigUnusableStore,
                         testing::Values(QStringList{"list"}, QStringList{"get", "language"},
                                         QStringList{"set", "language", "ru"}));

} // namespace
