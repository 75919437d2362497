// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeAssistantDiscovery.h"

#include "home/HomeAct.h"
#include "home/HomeTopics.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <gtest/gtest.h>

namespace {

DiscoveredDevice device(Language language, QString node = QStringLiteral("hall")) {
    DiscoveredDevice d;
    d.nodeId = std::move(node);
    d.base = "gloamery/hall";
    d.prefix = "homeassistant";
    d.version = QStringLiteral("2.1");
    d.language = language;
    d.ghostNames = {QStringLiteral("Вася"), QStringLiteral("Beth"), QStringLiteral("Cid")};
    return d;
}

// unique id suffix -> config
QMap<QString, QJsonObject> byObject(const QList<MqttMessage>& messages, const QString& node) {
    QMap<QString, QJsonObject> out;
    for (const MqttMessage& m : messages) {
        const QJsonObject o = QJsonDocument::fromJson(m.payload).object();
        out.insert(o.value(QStringLiteral("unique_id")).toString().mid(10 + node.size()), o);
    }
    return out;
}

TEST(HomeAssistantDiscovery, ConfigsHaveWhatTheirComponentNeedsAndRemovalsEmptyThem) {
    const QMap<QByteArray, QByteArray> required = {{"switch", "command_topic"},
                                                   {"button", "command_topic"},
                                                   {"binary_sensor", "state_topic"},
                                                   {"sensor", "state_topic"}};
    for (const QString& node : {QStringLiteral("hall"), QStringLiteral("big hall/2+")}) {
        const DiscoveredDevice d = device(Language::English, node);
        const HomeTopics topics(d.base, d.prefix);
        const QList<MqttMessage> configs = HomeAssistantDiscovery::configs(d);
        ASSERT_EQ(configs.size(), 23);
        QSet<QString> uniqueIds;
        for (const MqttMessage& m : configs) {
            SCOPED_TRACE(m.topic.toStdString());
            const QList<QByteArray> levels = m.topic.split('/');
            ASSERT_EQ(levels.size(), 5);
            EXPECT_TRUE(levels[0] == "homeassistant" && levels[4] == "config");
            EXPECT_TRUE(m.retain);
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^[a-zA-Z0-9_-]+$"))
                            .match(QString::fromUtf8(levels[2] + levels[3]))
                            .hasMatch());
            QJsonParseError error;
            const QJsonObject o = QJsonDocument::fromJson(m.payload, &error).object();
            ASSERT_EQ(error.error, QJsonParseError::NoError);
            ASSERT_TRUE(required.contains(levels[1]));
            EXPECT_TRUE(o.contains(QString::fromLatin1(required[levels[1]])));
            const QString uniqueId = o.value(QStringLiteral("unique_id")).toString();
            EXPECT_EQ(uniqueId, QStringLiteral("gloamery_") + levels[2] + '_' + levels[3]);
            uniqueIds.insert(uniqueId);
            EXPECT_EQ(o.value(QStringLiteral("availability_topic")), "gloamery/hall/availability");
            const QJsonObject dev = o.value(QStringLiteral("device")).toObject();
            EXPECT_EQ(dev.value(QStringLiteral("identifiers")).toArray().first(),
                      QStringLiteral("gloamery_") + levels[2]);
            for (auto it = o.begin(); it != o.end(); ++it) {
                if (it.key().endsWith(QStringLiteral("_topic"))) {
                    EXPECT_TRUE(it.value().toString().startsWith("gloamery/hall/"))
                        << it.key().toStdString();
                }
            }
            // What Home Assistant will send back is a command the program reads.
            const QString command = o.value(QStringLiteral("command_topic")).toString();
            const QString press = o.value(QStringLiteral("payload_press")).toString();
            if (!command.isEmpty()) {
                EXPECT_TRUE(topics.parse(command.toUtf8(), press.isEmpty() ? "ON" : press.toUtf8())
                                .command);
            }
        }
        EXPECT_EQ(uniqueIds.size(), configs.size());
        const QList<MqttMessage> removals = HomeAssistantDiscovery::removals(d);
        ASSERT_EQ(removals.size(), configs.size());
        for (qsizetype i = 0; i < configs.size(); ++i)
            EXPECT_EQ(removals[i], (MqttMessage{configs[i].topic, {}, true, configs[i].qos}));
    }
}

TEST(HomeAssistantDiscovery, NamesFollowTheLanguageAndTheGhosts) {
    struct Case {
        Language language;
        const char* object;
        const char* name;
        const char* deviceClass;
    };
    const Case cases[] = {
        {Language::English, "attraction", "Attraction", ""},
        {Language::Russian, "attraction", "Аттракцион", ""},
        {Language::English, "ghost_1", "Вася", ""},
        {Language::Russian, "ghost_3", "Cid", ""},
        {Language::English, "ghost_4", "Ghost 4", ""},
        {Language::Russian, "ghost_8", "Призрак 8", ""},
        {Language::English, "input_2", "Input 2: Hall motion sensor", "motion"},
        {Language::Russian, "input_9", "Вход 9: Объемник в комнате (пешеход)", "motion"},
        {Language::English, "input_3", "Input 3: Light switch", "light"},
        {Language::English, "input_5", "Input 5: Water switch", ""},
        {Language::English, "door", "Door", "door"},
        {Language::Russian, "last_act", "Последнее выступление", ""},
        {Language::English, "seconds_left", "Time left", "duration"},
    };
    for (const Case& c : cases) {
        const QJsonObject o =
            byObject(HomeAssistantDiscovery::configs(device(c.language)), QStringLiteral("hall"))
                .value(QLatin1String(c.object));
        EXPECT_EQ(o.value(QStringLiteral("name")).toString(), QString::fromUtf8(c.name))
            << c.object;
        EXPECT_EQ(o.value(QStringLiteral("device_class")).toString(), QLatin1String(c.deviceClass))
            << c.object;
    }
}

TEST(HomeActJson, EncodesTheActsFieldsWithEffectsInWords) {
    HomeAct act{3,    QStringLiteral("Вася \"В\""), false, 4,
                7,    QStringLiteral("скрип"),      1,     QStringLiteral("sensor"),
                true, QStringLiteral("hall")};
    EXPECT_EQ(QJsonDocument::fromJson(HomeActJson::encode(act)).object(),
              (QJsonObject{{"node", "hall"},
                           {"ghost", 3},
                           {"name", act.name},
                           {"kind", "short"},
                           {"specialty", 4},
                           {"sound", 7},
                           {"description", act.description},
                           {"effect", "left"},
                           {"trigger", "sensor"},
                           {"sounded", true}}));
    const char* const effects[] = {
        "middle", "left", "right", "sweep right to left", "sweep left to right", "unchanged"};
    for (int effect = 0; effect < 6; ++effect) {
        act.effect = effect;
        EXPECT_EQ(QJsonDocument::fromJson(HomeActJson::encode(act))[QStringLiteral("effect")],
                  QLatin1String(effects[effect]));
    }
}

} // namespace
