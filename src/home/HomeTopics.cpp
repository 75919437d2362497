// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeTopics.h"

#include <QByteArrayView>

#include <utility>
#include <vector>

const QByteArray HomeTopics::AllRooms = QByteArrayLiteral("gloamery/all");

namespace {

using Value = HomeCommand::Value;
using Target = HomeCommand::Target;

// Enough of a topic or payload to recognise it in the log, without flooding it.
constexpr int ShownTopicBytes = 80;
constexpr int ShownPayloadBytes = 32;

// A wildcard in a base would make the subscriptions reach other rooms' commands.
bool usableRoot(const QByteArray& root) {
    return !root.isEmpty() && !root.contains('+') && !root.contains('#');
}

// Quoted, cut, and every byte outside printable ASCII escaped, so whatever arrives can neither
// break the log's line nor pass off as something else in it.
QString shown(QByteArrayView bytes, int limit) {
    QString out(QLatin1Char('"'));
    for (qsizetype i = 0; i < bytes.size() && i < limit; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\')
            out += QLatin1Char(char(c));
        else
            out += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
    }
    out += QLatin1Char('"');
    if (bytes.size() > limit)
        out += QStringLiteral("...");
    return out;
}

HomeParse refused(QString problem) {
    HomeParse result;
    result.problem = std::move(problem);
    return result;
}

// "1".."max" only: a sign, a space or a leading zero is not how this program writes its topics,
// so such a topic is someone's mistake rather than another name for the same ghost.
int plainNumber(QByteArrayView text, int max) {
    if (text.isEmpty() || text.size() > 2 || text[0] == '0')
        return 0;
    int n = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return 0;
        n = n * 10 + (c - '0');
    }
    return n <= max ? n : 0;
}

enum class Accepts { OnOff, Press, OnOffPress };

std::optional<Value> readValue(QByteArrayView payload, Accepts accepts) {
    const QByteArrayView word = payload.trimmed();
    const auto is = [word](QByteArrayView expected) {
        return word.compare(expected, Qt::CaseInsensitive) == 0;
    };
    if (accepts != Accepts::OnOff && is("PRESS"))
        return Value::Press;
    if (accepts != Accepts::Press) {
        if (is("ON") || is("1") || is("TRUE"))
            return Value::On;
        if (is("OFF") || is("0") || is("FALSE"))
            return Value::Off;
    }
    return std::nullopt;
}

const char* expected(Accepts accepts) {
    switch (accepts) {
    case Accepts::OnOff:
        return "ON or OFF";
    case Accepts::Press:
        return "PRESS";
    case Accepts::OnOffPress:
        return "ON, OFF or PRESS";
    }
    return "";
}

HomeParse readPayload(HomeCommand command, Accepts accepts, const QByteArray& topic,
                      const QByteArray& payload) {
    if (payload.isEmpty())
        return {};
    if (payload.size() > HomeTopics::MaxPayloadBytes) {
        return refused(QStringLiteral("Refused a payload of %1 bytes on %2: at most %3")
                           .arg(QString::number(payload.size()), shown(topic, ShownTopicBytes),
                                QString::number(HomeTopics::MaxPayloadBytes)));
    }
    const std::optional<Value> value = readValue(payload, accepts);
    if (!value) {
        return refused(QStringLiteral("Refused %1 on %2: expected %3")
                           .arg(shown(payload, ShownPayloadBytes), shown(topic, ShownTopicBytes),
                                QLatin1String(expected(accepts))));
    }
    command.value = *value;
    HomeParse result;
    result.command = command;
    return result;
}

// What a topic under one of the bases means: nothing when its shape is none of ours.
std::optional<HomeParse> readRelative(QByteArrayView relative, bool allRooms,
                                      const QByteArray& topic, const QByteArray& payload) {
    std::vector<QByteArrayView> levels;
    for (qsizetype from = 0;;) {
        const qsizetype slash = relative.indexOf('/', from);
        levels.push_back(relative.sliced(from, (slash < 0 ? relative.size() : slash) - from));
        if (slash < 0 || levels.size() > 3)
            break;
        from = slash + 1;
    }
    HomeCommand command;
    command.allRooms = allRooms;
    if (levels.size() == 2 && levels[1] == "set") {
        Accepts accepts = Accepts::Press;
        if (levels[0] == "attraction") {
            command.target = Target::Attraction;
            accepts = Accepts::OnOff;
        } else if (levels[0] == "act") {
            command.target = Target::ActNow;
        } else if (levels[0] == "door") {
            command.target = Target::Door;
        } else {
            return std::nullopt;
        }
        return readPayload(command, accepts, topic, payload);
    }
    if (levels.size() == 3 && levels[2] == "set") {
        int max = 0;
        Accepts accepts = Accepts::OnOff;
        if (levels[0] == "ghost") {
            command.target = Target::Ghost;
            max = 8;
        } else if (levels[0] == "input") {
            command.target = Target::Input;
            max = 9;
            accepts = Accepts::OnOffPress;
        } else {
            return std::nullopt;
        }
        command.number = plainNumber(levels[1], max);
        if (command.number == 0) {
            // One arg() for all: a "%1" within the topic must not be taken for a placeholder.
            return refused(QStringLiteral("Refused %1: there is no %2 %3, only 1 to %4")
                               .arg(shown(topic, ShownTopicBytes),
                                    QString::fromLatin1(levels[0].toByteArray()),
                                    shown(levels[1], ShownPayloadBytes), QString::number(max)));
        }
        return readPayload(command, accepts, topic, payload);
    }
    return std::nullopt;
}

} // namespace

HomeTopics::HomeTopics(QByteArray base, QByteArray discoveryPrefix)
    : m_base(std::move(base))
    , m_prefix(std::move(discoveryPrefix)) {}

QList<QByteArray> HomeTopics::subscriptions() const {
    QList<QByteArray> filters;
    for (const QByteArray& root : {AllRooms, m_base}) {
        if (!usableRoot(root) || filters.contains(root + "/+/set"))
            continue;
        filters << root + "/+/set" << root + "/+/+/set";
    }
    if (usableRoot(m_prefix))
        filters << m_prefix + "/status";
    return filters;
}

HomeParse HomeTopics::parse(const QByteArray& topic, const QByteArray& payload) const {
    if (topic.size() > MaxTopicBytes) {
        return refused(QStringLiteral("Refused a topic of %1 bytes: at most %2, %3")
                           .arg(topic.size())
                           .arg(MaxTopicBytes)
                           .arg(shown(topic, ShownTopicBytes)));
    }
    if (usableRoot(m_prefix) && topic.size() == m_prefix.size() + 7 && topic.startsWith(m_prefix) &&
        topic.endsWith("/status")) {
        // Home Assistant going offline asks nothing of the program.
        const QByteArrayView word = QByteArrayView(payload).trimmed();
        if (payload.size() <= MaxPayloadBytes && word.compare("online", Qt::CaseInsensitive) == 0) {
            HomeParse result;
            result.command = HomeCommand{Target::AssistantOnline, 0, Value::On, false};
            return result;
        }
        if (payload.isEmpty() || word.compare("offline", Qt::CaseInsensitive) == 0)
            return {};
        return refused(QStringLiteral("Refused %1 on %2: expected online or offline")
                           .arg(shown(payload, ShownPayloadBytes), shown(topic, ShownTopicBytes)));
    }
    // "gloamery/all" first: a base equal to it still means every room.
    const std::pair<const QByteArray*, bool> roots[] = {{&AllRooms, true}, {&m_base, false}};
    for (const auto& [root, allRooms] : roots) {
        if (!usableRoot(*root) || topic.size() <= root->size() + 1 || !topic.startsWith(*root) ||
            topic[root->size()] != '/')
            continue;
        const QByteArrayView relative = QByteArrayView(topic).sliced(root->size() + 1);
        if (std::optional<HomeParse> result = readRelative(relative, allRooms, topic, payload))
            return *result;
    }
    return {};
}

QByteArray HomeTopics::availability() const {
    return m_base + "/availability";
}

QByteArray HomeTopics::attraction() const {
    return m_base + "/attraction";
}

QByteArray HomeTopics::ghost(int number) const {
    return m_base + "/ghost/" + QByteArray::number(number);
}

QByteArray HomeTopics::input(int number) const {
    return m_base + "/input/" + QByteArray::number(number);
}

QByteArray HomeTopics::door() const {
    return m_base + "/door";
}

QByteArray HomeTopics::act() const {
    return m_base + "/act";
}

QByteArray HomeTopics::command(const QByteArray& relative) const {
    return m_base + '/' + relative + "/set";
}

QByteArray HomeTopics::onOff(bool on) {
    return on ? QByteArrayLiteral("ON") : QByteArrayLiteral("OFF");
}

QByteArray HomeTopics::attractionPayload(bool running, int secondsLeft) {
    const QByteArray left =
        running && secondsLeft >= 0 ? QByteArray::number(secondsLeft) : QByteArrayLiteral("null");
    return "{\"state\":\"" + onOff(running) + "\",\"seconds_left\":" + left + '}';
}
