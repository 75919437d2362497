// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// One thing the home asks of the program over MQTT.
struct HomeCommand {
    enum class Target {
        Attraction,      // <base>/attraction/set  ON | OFF
        ActNow,          // <base>/act/set         PRESS
        Door,            // <base>/door/set        PRESS
        Ghost,           // <base>/ghost/<1..8>/set ON | OFF
        Input,           // <base>/input/<1..9>/set ON | OFF | PRESS
        AssistantOnline, // <discovery prefix>/status online
    };
    enum class Value { On, Off, Press };

    Target target = Target::Attraction;
    int number = 0; // ghost 1..8 or input 1..9; 0 otherwise
    Value value = Value::Press;
    bool allRooms = false; // came under "gloamery/all" rather than this room's base topic

    bool operator==(const HomeCommand&) const = default;
};

// What one received message means: a command, or why it is refused (for the log), or neither
// when it is none of the program's business (another room's topic, Home Assistant going offline).
struct HomeParse {
    std::optional<HomeCommand> command;
    QString problem;
};

// The program's topics under its base topic and under "gloamery/all", and the reading of the
// messages that arrive on them.
//
// Payloads are compared without regard to letter case, with surrounding ASCII whitespace trimmed,
// so hand-typed `mosquitto_pub` commands work. Switches also take 1/0 and TRUE/FALSE, which
// scripts and other home systems send. An empty payload is never a command: it is what clearing a
// retained message delivers, and clearing a stray retained PRESS must not make a ghost act.
// Ghost and input numbers are plain decimal within range; a wrong number on a topic that is
// otherwise ours is reported, since someone is clearly addressing this program. A base topic that
// is empty or holds a wildcard matches nothing and is not subscribed to, so a bad setting cannot
// subscribe the program to other rooms' commands.
class HomeTopics {
public:
    static constexpr int MaxTopicBytes = 256;
    static constexpr int MaxPayloadBytes = 64;
    static const QByteArray AllRooms; // "gloamery/all"

    HomeTopics(QByteArray base, QByteArray discoveryPrefix);

    const QByteArray& base() const { return m_base; }
    const QByteArray& discoveryPrefix() const { return m_prefix; }
    // The filters to subscribe to, under this room's base, "gloamery/all" and the prefix.
    QList<QByteArray> subscriptions() const;
    HomeParse parse(const QByteArray& topic, const QByteArray& payload) const;

    // Retained states.
    QByteArray availability() const; // "online" | "offline"
    QByteArray attraction() const;   // attractionPayload()
    QByteArray ghost(int number) const;
    QByteArray input(int number) const; // 1..9
    QByteArray door() const;
    // Not retained: one JSON event per act.
    QByteArray act() const;
    QByteArray command(const QByteArray& relative) const; // <base>/<relative>/set

    static QByteArray onOff(bool on);
    // {"state":"ON","seconds_left":120}; seconds_left is null without a limit (a negative
    // secondsLeft) or when stopped.
    static QByteArray attractionPayload(bool running, int secondsLeft);

private:
    QByteArray m_base;
    QByteArray m_prefix;
};
