// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: MQTT messages read against a few base topics, among them odd ones (the
// all-rooms topic itself, a wildcard, one that is a prefix of another). The first byte is the
// topic's length, the rest of the input after the topic the payload. Nothing may crash; a message
// gives a command or a problem, never both; a command is one the topics can carry, and the
// problem is one printable ASCII line. An act built of the same bytes must encode to a JSON object
// that gives the strings back.
#include "home/HomeAct.h"
#include "home/HomeTopics.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(const HomeTopics& topics, const QByteArray& topic, const QByteArray& payload) {
    const HomeParse parsed = topics.parse(topic, payload);
    if (parsed.command && !parsed.problem.isEmpty())
        std::abort();
    for (QChar c : parsed.problem) {
        if (c.unicode() < 0x20 || c.unicode() >= 0x7F)
            std::abort();
    }
    if (!parsed.command)
        return;
    const HomeCommand& command = *parsed.command;
    using Target = HomeCommand::Target;
    using Value = HomeCommand::Value;
    const bool numbered = command.target == Target::Ghost || command.target == Target::Input;
    const int max = command.target == Target::Ghost ? 8 : 9;
    if (numbered != (command.number >= 1 && command.number <= max) ||
        topic.size() > HomeTopics::MaxTopicBytes || payload.size() > HomeTopics::MaxPayloadBytes ||
        payload.isEmpty())
        std::abort();
    const bool onOff = command.value != Value::Press;
    switch (command.target) {
    case Target::Attraction:
    case Target::Ghost:
        if (!onOff)
            std::abort();
        break;
    case Target::ActNow:
    case Target::Door:
        if (onOff)
            std::abort();
        break;
    case Target::Input:
        break;
    case Target::AssistantOnline:
        if (topic != topics.discoveryPrefix() + "/status")
            std::abort();
        break;
    }
    if (command.target != Target::AssistantOnline && command.allRooms &&
        !topic.startsWith(HomeTopics::AllRooms + '/'))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const size_t topicSize = std::min<size_t>(data[0], size - 1);
    const QByteArray topic(reinterpret_cast<const char*>(data + 1), qsizetype(topicSize));
    const QByteArray payload(reinterpret_cast<const char*>(data + 1 + topicSize),
                             qsizetype(size - 1 - topicSize));

    static const HomeTopics bases[] = {
        {"gloamery/living_room", "homeassistant"},
        {"gloamery/all", "gloamery/all"},
        {"gloamery/+", "home/#"},
        {"gloamery/all/ghost", ""},
    };
    for (const HomeTopics& topics : bases)
        check(topics, topic, payload);

    HomeAct act;
    act.name = QString::fromUtf8(topic);
    act.description = QString::fromUtf8(payload);
    act.trigger = QString::fromLatin1(payload);
    act.node = QString::fromUtf8(payload.left(8));
    act.ghost = data[0] % 10;
    act.effect = data[0] % 7;
    act.longSound = data[0] & 1;
    const QJsonDocument back = QJsonDocument::fromJson(HomeActJson::encode(act));
    const QJsonObject object = back.object();
    if (!back.isObject() || object.value(QStringLiteral("name")).toString() != act.name ||
        object.value(QStringLiteral("description")).toString() != act.description ||
        object.value(QStringLiteral("trigger")).toString() != act.trigger ||
        object.value(QStringLiteral("ghost")).toInt() != act.ghost)
        std::abort();
    return 0;
}
