// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeTopics.h"

#include <gtest/gtest.h>

namespace {

using Target = HomeCommand::Target;
using Value = HomeCommand::Value;

const QByteArray Room = "gloamery/living_room";

HomeCommand cmd(Target target, int number, Value value, bool allRooms = false) {
    return HomeCommand{target, number, value, allRooms};
}

struct ParseCase {
    const char* what;
    QByteArray base;
    QByteArray topic;
    QByteArray payload;
    std::optional<HomeCommand> command;
    const char* problemHas; // empty: no problem expected
};

const QByteArray LongestBase = "g/" + QByteArray(HomeTopics::MaxTopicBytes - 17, 'x');

const ParseCase ParseCases[] = {
    {"switch on", Room, Room + "/attraction/set", "ON", cmd(Target::Attraction, 0, Value::On), ""},
    {"trimmed, any case", Room, Room + "/attraction/set", " oFf \r\n",
     cmd(Target::Attraction, 0, Value::Off), ""},
    {"true", Room, Room + "/ghost/1/set", "True", cmd(Target::Ghost, 1, Value::On), ""},
    {"zero", Room, Room + "/ghost/8/set", "0", cmd(Target::Ghost, 8, Value::Off), ""},
    {"press on a switch", Room, Room + "/attraction/set", "PRESS", {}, "expected ON or OFF"},
    {"act", Room, Room + "/act/set", "press", cmd(Target::ActNow, 0, Value::Press), ""},
    {"door", Room, Room + "/door/set", "PRESS", cmd(Target::Door, 0, Value::Press), ""},
    {"on for a button", Room, Room + "/door/set", "ON", {}, "expected PRESS"},
    {"cleared retained act", Room, Room + "/act/set", "", {}, ""},
    {"blank is not empty", Room, Room + "/act/set", " ", {}, "expected PRESS"},
    {"input press", Room, Room + "/input/9/set", "PRESS", cmd(Target::Input, 9, Value::Press), ""},
    {"false", Room, Room + "/input/2/set", "false", cmd(Target::Input, 2, Value::Off), ""},
    {"ghost nine", Room, Room + "/ghost/9/set", "ON", {}, "no ghost \"9\""},
    {"leading zero", Room, Room + "/ghost/01/set", "ON", {}, "no ghost"},
    {"sign", Room, Room + "/ghost/+1/set", "ON", {}, "no ghost"},
    {"space", Room, Room + "/ghost/ 1/set", "ON", {}, "no ghost"},
    {"percent in topic", Room, Room + "/ghost/%1/set", "ON", {}, "no ghost \"%1\", only 1 to 8"},
    {"input ten", Room, Room + "/input/10/set", "ON", {}, "no input \"10\""},
    {"all rooms", Room, "gloamery/all/ghost/2/set", "OFF", cmd(Target::Ghost, 2, Value::Off, true),
     ""},
    {"other room", Room, "gloamery/kitchen/attraction/set", "ON", {}, ""},
    {"glued to the base", Room, Room + "-attraction/set", "ON", {}, ""},
    {"not a command", Room, Room + "/door/get", "PRESS", {}, ""},
    {"not a ghost command", Room, Room + "/ghost/3/get", "ON", {}, ""},
    {"status further down", Room, "homeassistant/x/status", "online", {}, ""},
    {"unknown command", Room, Room + "/lamp/set", "ON", {}, ""},
    {"too deep", Room, Room + "/ghost/3/set/x", "ON", {}, ""},
    {"assistant online", Room, "homeassistant/status", "Online\n",
     cmd(Target::AssistantOnline, 0, Value::On), ""},
    {"assistant offline", Room, "homeassistant/status", " OFFLINE", {}, ""},
    {"assistant odd", Room, "homeassistant/status", "maybe", {}, "expected online or offline"},
    {"topic at the limit", LongestBase, LongestBase + "/attraction/set", "ON",
     cmd(Target::Attraction, 0, Value::On), ""},
    {"topic past the limit",
     LongestBase + "x",
     LongestBase + "x/attraction/set",
     "ON",
     {},
     "topic of 257 bytes"},
    {"payload at the limit", Room, Room + "/attraction/set", "ON" + QByteArray(62, ' '),
     cmd(Target::Attraction, 0, Value::On), ""},
    {"payload past the limit",
     Room,
     Room + "/attraction/set",
     "ON" + QByteArray(63, ' '),
     {},
     "payload of 65 bytes"},
    {"payload escaped", Room, Room + "/act/set", "\x01PR\"ESS\xff", {}, "\"\\x01PR\\x22ESS\\xff\""},
    {"payload cut",
     Room,
     Room + "/act/set",
     QByteArray(40, 'A'),
     {},
     "Refused \"AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\"... on"},
    {"base is all rooms", "gloamery/all", "gloamery/all/attraction/set", "ON",
     cmd(Target::Attraction, 0, Value::On, true), ""},
    {"wildcard base, literal", "gloamery/+", "gloamery/+/attraction/set", "ON", {}, ""},
    {"wildcard base, all rooms", "gloamery/+", "gloamery/all/act/set", "PRESS",
     cmd(Target::ActNow, 0, Value::Press, true), ""},
    {"empty base", "", "/attraction/set", "ON", {}, ""},
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << c.what;
}

class HomeTopicsParse : public testing::TestWithParam<ParseCase> {};

TEST_P(HomeTopicsParse, GivesTheCommandOrTheProblem) {
    const ParseCase& c = GetParam();
    const HomeParse parsed = HomeTopics(c.base, "homeassistant").parse(c.topic, c.payload);
    EXPECT_EQ(parsed.command, c.command);
    if (*c.problemHas) {
        EXPECT_TRUE(parsed.problem.contains(QString::fromUtf8(c.problemHas)))
            << parsed.problem.toStdString();
    } else {
        EXPECT_EQ(parsed.problem.toStdString(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, HomeTopicsParse, testing::ValuesIn(ParseCases),
                         [](const testing::TestParamInfo<ParseCase>& param) {
                             QByteArray name = QByteArray(param.param.what).replace(' ', '_');
                             name.replace(',', '_');
                             return name.toStdString();
                         });

TEST(HomeTopics, SubscribesToTheFewestFiltersThatCoverTheCommands) {
    const std::vector<std::tuple<QByteArray, QByteArray, QList<QByteArray>>> cases = {
        {Room,
         "homeassistant",
         {"gloamery/all/+/set", "gloamery/all/+/+/set", Room + "/+/set", Room + "/+/+/set",
          "homeassistant/status"}},
        {"gloamery/all", "ha", {"gloamery/all/+/set", "gloamery/all/+/+/set", "ha/status"}},
        {"gloamery/+", "", {"gloamery/all/+/set", "gloamery/all/+/+/set"}},
        {"", "h/#", {"gloamery/all/+/set", "gloamery/all/+/+/set"}},
    };
    for (const auto& [base, prefix, filters] : cases)
        EXPECT_EQ(HomeTopics(base, prefix).subscriptions(), filters) << base.constData();
}

TEST(HomeTopics, AttractionPayloadHasNoTimeLeftWhenStoppedOrUnlimited) {
    const std::vector<std::tuple<bool, int, QByteArray>> cases = {
        {true, 120, R"({"state":"ON","seconds_left":120})"},
        {true, 0, R"({"state":"ON","seconds_left":0})"},
        {true, -1, R"({"state":"ON","seconds_left":null})"},
        {false, 50, R"({"state":"OFF","seconds_left":null})"},
    };
    for (const auto& [running, left, payload] : cases)
        EXPECT_EQ(HomeTopics::attractionPayload(running, left), payload) << left;
}

} // namespace
