// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeAutomation.h"

#include "FakeMqttConnection.h"
#include "support/FakeProgramControl.h"
#include "support/FixedClock.h"
#include "support/WarningRecorder.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

const QByteArray Base = "gloamery/hall";

struct HouseRecord {
    QList<QString> asked;
    std::array<bool, 9> on{};
};

class HomeAutomationTest : public ::testing::Test {
protected:
    HomeAutomationTest()
        : home(nullptr, control, house(), factory(), clock, QStringLiteral("1.2.3")) {
        HomeSettings settings;
        settings.enabled = true;
        settings.nodeId = QStringLiteral("hall");
        home.applySettings(settings);
    }

    HomeHouse house() {
        return {[this](int input, bool on) {
                    record.asked.append(QStringLiteral("set %1 %2").arg(input).arg(on));
                },
                [this](int input) { record.asked.append(QStringLiteral("press %1").arg(input)); },
                [this](int input) { return record.on[size_t(input)]; },
                [] {
                    return false;
                }};
    }
    MqttConnectionFactory factory() {
        return [this] {
            logs.push_back(std::make_unique<FakeMqttLog>());
            auto made = std::make_unique<FakeMqttConnection>(*logs.back());
            links.append(made.get());
            return made;
        };
    }
    // The link made last, alive, and what it was asked.
    FakeMqttConnection& link() { return *links.last(); }
    FakeMqttLog& seen() { return *logs.back(); }
    FakeMqttLog& connected() {
        link().connectNow();
        seen().published.clear();
        return seen();
    }

    FakeProgramControl control;
    FixedClock clock;
    HouseRecord record;
    QList<FakeMqttConnection*> links;
    std::vector<std::unique_ptr<FakeMqttLog>> logs;
    HomeAutomation home;
};

TEST_F(HomeAutomationTest, ConnectionTellsEveryStateAndTheDeviceWithAWillOfOffline) {
    control.ghosts[2].on = true;
    record.on[4] = true;
    EXPECT_EQ(seen().endpoint.will, (MqttMessage{Base + "/availability", "offline", true, 1}));
    EXPECT_EQ(seen().endpoint.clientId, "gloamery-hall");
    link().connectNow();
    EXPECT_EQ(seen().last(Base + "/availability"), "online");
    EXPECT_EQ(seen().last(Base + "/ghost/3"), "ON");
    EXPECT_EQ(seen().last(Base + "/ghost/4"), "OFF");
    EXPECT_EQ(seen().last(Base + "/input/5"), "ON");
    EXPECT_EQ(seen().last(Base + "/door"), "OFF");
    const auto configs = [this] {
        return std::count_if(
            seen().published.begin(), seen().published.end(), [](const MqttMessage& m) {
                return m.retain && m.topic.endsWith("/config") && !m.payload.isEmpty();
            });
    };
    EXPECT_GE(configs(), 8 + 9 + 4);
    // A broker restarted without persistence has lost it all: every connection tells it again.
    seen().published.clear();
    link().connectNow();
    EXPECT_EQ(seen().last(Base + "/ghost/3"), "ON");
    // So does Home Assistant, restarted: it says so, and is told the device again.
    seen().published.clear();
    link().deliver("homeassistant/status", "online");
    EXPECT_GE(configs(), 8 + 9 + 4);
}

struct CommandCase {
    const char* name;
    QByteArray topic;
    QByteArray payload;
    bool dialogOpen;
    bool runningAfter;
    int ghost3OnAfter;
    QString houseAsked;
    bool attractionTold = false; // the attraction's state is published again
};

void PrintTo(const CommandCase& c, std::ostream* os) {
    *os << c.name;
}

class HomeCommandTest : public HomeAutomationTest,
                        public ::testing::WithParamInterface<CommandCase> {};

TEST_P(HomeCommandTest, DoesWhatTheHomeAsksWithTheProgramsRefusals) {
    const CommandCase& c = GetParam();
    control.dialog = c.dialogOpen;
    FakeMqttLog& broker = connected();
    link().deliver(c.topic, c.payload);
    EXPECT_EQ(control.attractionView.running, c.runningAfter);
    EXPECT_EQ(control.ghosts[2].on, c.ghost3OnAfter != 0);
    EXPECT_EQ(record.asked.join(u','), c.houseAsked);
    // The switch in the home reads what stands, refused or not.
    const std::optional<QByteArray> told = broker.last(Base + "/attraction");
    ASSERT_EQ(told.has_value(), c.attractionTold);
    if (told) {
        const QJsonObject state = QJsonDocument::fromJson(*told).object();
        EXPECT_EQ(state.value(u"state").toString(), c.runningAfter ? u"ON" : u"OFF");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, HomeCommandTest,
    ::testing::Values(
        CommandCase{"AttractionOn", Base + "/attraction/set", "ON", false, true, 0, {}, true},
        CommandCase{"AttractionRefusedWhileADialogIsOpen",
                    Base + "/attraction/set",
                    "ON",
                    true,
                    false,
                    0,
                    {},
                    true},
        CommandCase{"AllRoomsStart", "gloamery/all/attraction/set", "ON", false, true, 0, {}, true},
        CommandCase{"GhostOn", Base + "/ghost/3/set", "ON", false, false, 1, {}},
        CommandCase{"InputOn", Base + "/input/4/set", "ON", false, false, 0, "set 3 1"},
        CommandCase{"InputOff", Base + "/input/9/set", "OFF", false, false, 0, "set 8 0"},
        CommandCase{"InputPress", Base + "/input/1/set", "PRESS", false, false, 0, "press 0"},
        CommandCase{"InputEvenWithADialogOpen", Base + "/input/2/set", "PRESS", true, false, 0,
                    "press 1"},
        CommandCase{
            "AnotherRoomIsNotUs", "gloamery/kitchen/attraction/set", "ON", false, false, 0, {}},
        CommandCase{"BadPayload", Base + "/attraction/set", "maybe", false, false, 0, {}}),
    [](const ::testing::TestParamInfo<CommandCase>& param) { return param.param.name; });

TEST_F(HomeAutomationTest, BadMessagesOnOneTopicWarnOncePerMinute) {
    WarningRecorder warnings("gloamery.home");
    connected();
    for (int i = 0; i < 50; ++i)
        link().deliver(Base + "/ghost/2/set", "sideways");
    link().deliver(Base + "/ghost/12/set", "ON");
    clock.advance(61'000);
    link().deliver(Base + "/ghost/2/set", "sideways");
    ASSERT_EQ(warnings.messages().size(), 3);
    EXPECT_TRUE(warnings.messages()[2].contains(u"49 more"))
        << warnings.messages()[2].toStdString();
}

TEST_F(HomeAutomationTest, AnActIsToldWithItsSoundsWordsOrWithoutThemWhenTheSoundIsLate) {
    FakeMqttLog& broker = connected();
    const auto act = [](bool sounded) {
        return HomeAct{3, QStringLiteral("Anna"), true,    4, 7, {},
                       1, QStringLiteral("mqtt"), sounded, {}};
    };
    home.acted(act(true));
    EXPECT_FALSE(broker.last(Base + "/act"));
    home.soundStarted(true, QStringLiteral("a creaking door"));
    QJsonObject told = QJsonDocument::fromJson(*broker.last(Base + "/act")).object();
    EXPECT_EQ(told.value(u"description").toString(), u"a creaking door");
    EXPECT_EQ(told.value(u"node").toString(), u"hall");

    broker.published.clear();
    home.acted(act(false));
    told = QJsonDocument::fromJson(*broker.last(Base + "/act")).object();
    EXPECT_FALSE(told.value(u"sounded").toBool());

    broker.published.clear();
    home.acted(act(true));
    QSignalSpy(&link(), &MqttConnection::stateChanged).wait(HomeAutomation::ActReportWaitMs + 500);
    ASSERT_TRUE(broker.last(Base + "/act"));
    EXPECT_FALSE(broker.published.last().retain);
}

TEST_F(HomeAutomationTest, ANewNodeIdTakesTheOldDeviceAwayAndSaysGoodbye) {
    FakeMqttLog& old = connected();
    HomeSettings moved = home.settings();
    moved.nodeId = QStringLiteral("cellar");
    home.applySettings(moved);
    const auto removals =
        std::count_if(old.published.begin(), old.published.end(), [](const MqttMessage& m) {
            return m.topic.contains("/hall/") && m.topic.endsWith("/config") &&
                   m.payload.isEmpty() && m.retain;
        });
    EXPECT_GE(removals, 8 + 9 + 4);
    EXPECT_TRUE(old.closed);
    EXPECT_EQ(old.farewell, (QList<MqttMessage>{{Base + "/availability", "offline", true, 1}}));
    EXPECT_EQ(seen().endpoint.clientId, "gloamery-cellar");
    EXPECT_TRUE(seen().filters.contains("gloamery/cellar/+/set"));
}

TEST_F(HomeAutomationTest, ARenamedGhostRenamesItsEntity) {
    FakeMqttLog& broker = connected();
    control.ghosts[5].name = QStringLiteral("Boris");
    QSignalSpy(&link(), &MqttConnection::stateChanged).wait(HomeAutomation::StateCheckMs + 500);
    const bool renamed =
        std::any_of(broker.published.begin(), broker.published.end(), [](const MqttMessage& m) {
            return m.topic.endsWith("ghost_6/config") && m.payload.contains("Boris");
        });
    EXPECT_TRUE(renamed);
}

TEST_F(HomeAutomationTest, ATestOfSettingsSaysHowItWent) {
    QSignalSpy finished(&home, &HomeLinkControl::testFinished);
    home.testSettings(home.settings());
    links.last()->fail(QStringLiteral("wrong user name or password"));
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished[0], (QVariantList{false, QStringLiteral("wrong user name or password")}));
    home.testSettings(home.settings());
    links.last()->connectNow();
    ASSERT_EQ(finished.size(), 2);
    EXPECT_EQ(finished[1], (QVariantList{true, QStringLiteral("localhost:1883")}));
}

} // namespace
