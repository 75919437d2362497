// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeAssistantDiscovery.h"

#include "home/HomeTopics.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

struct Entity {
    const char* component;
    QString objectId;
    QString name;
    QJsonObject fields;
};

struct InputKind {
    const char* english;
    const char* russian;
    const char* deviceClass; // empty: none fits, Home Assistant then shows plain on and off
};

// The water switch is no moisture sensor and the doorbell button hears nothing, so they get no
// class that would show "wet" or "sound detected".
constexpr InputKind Inputs[9] = {
    {"Lock button", "Кнопка открытия замка", ""},
    {"Hall motion sensor", "Объемник в прихожей", "motion"},
    {"Light switch", "Выключатель света", "light"},
    {"Room motion sensor", "Объемник в комнате", "motion"},
    {"Water switch", "Выключатель воды", ""},
    {"Bathroom motion sensor", "Объемник в ванной", "motion"},
    {"Doorbell button", "Кнопка звонка", ""},
    {"Door motion sensor", "Объемник у двери", "motion"},
    {"Room motion sensor (pedestrian)", "Объемник в комнате (пешеход)", "motion"},
};

// Home Assistant takes only [a-zA-Z0-9_-] in a discovery topic's levels; anything else would also
// split or widen the topic.
QString topicSafe(const QString& nodeId) {
    QString out;
    for (QChar c : nodeId) {
        const bool fits = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                          (c >= u'0' && c <= u'9') || c == u'_' || c == u'-';
        out += fits ? c : QChar(u'_');
    }
    return out.isEmpty() ? QStringLiteral("gloamery") : out;
}

QString text(Language language, const char* english, const char* russian) {
    return QString::fromUtf8(language == Language::Russian ? russian : english);
}

QString topic(const QByteArray& bytes) {
    return QString::fromUtf8(bytes);
}

QJsonObject onOffFields(const QByteArray& stateTopic) {
    return {{QStringLiteral("state_topic"), topic(stateTopic)},
            {QStringLiteral("payload_on"), QStringLiteral("ON")},
            {QStringLiteral("payload_off"), QStringLiteral("OFF")}};
}

QList<Entity> entities(const DiscoveredDevice& device) {
    const HomeTopics topics(device.base, device.prefix);
    const Language lang = device.language;
    QList<Entity> list;

    QJsonObject attraction = onOffFields(topics.attraction());
    attraction.insert(QStringLiteral("command_topic"), topic(topics.command("attraction")));
    attraction.insert(QStringLiteral("value_template"), QStringLiteral("{{ value_json.state }}"));
    list.append({"switch", QStringLiteral("attraction"), text(lang, "Attraction", "Аттракцион"),
                 attraction});

    const auto button = [&topics](const QByteArray& relative) {
        return QJsonObject{{QStringLiteral("command_topic"), topic(topics.command(relative))},
                           {QStringLiteral("payload_press"), QStringLiteral("PRESS")}};
    };
    list.append({"button", QStringLiteral("act"), text(lang, "Act now", "Выступить сейчас"),
                 button("act")});
    list.append({"button", QStringLiteral("open_door"),
                 text(lang, "Open the door", "Открыть дверь"), button("door")});

    for (int n = 1; n <= 8; ++n) {
        QJsonObject ghost = onOffFields(topics.ghost(n));
        ghost.insert(QStringLiteral("command_topic"),
                     topic(topics.command("ghost/" + QByteArray::number(n))));
        QString name = device.ghostNames[size_t(n - 1)].trimmed();
        if (name.isEmpty())
            name = text(lang, "Ghost %1", "Призрак %1").arg(n);
        list.append({"switch", QStringLiteral("ghost_%1").arg(n), name, ghost});
    }

    for (int n = 1; n <= 9; ++n) {
        const InputKind& kind = Inputs[n - 1];
        QJsonObject input = onOffFields(topics.input(n));
        if (*kind.deviceClass)
            input.insert(QStringLiteral("device_class"), QLatin1String(kind.deviceClass));
        list.append(
            {"binary_sensor", QStringLiteral("input_%1").arg(n),
             text(lang, "Input %1: ", "Вход %1: ").arg(n) + text(lang, kind.english, kind.russian),
             input});
    }

    QJsonObject door = onOffFields(topics.door());
    door.insert(QStringLiteral("device_class"), QStringLiteral("door"));
    list.append({"binary_sensor", QStringLiteral("door"), text(lang, "Door", "Дверь"), door});

    // Jinja would render a null as "None", which Home Assistant takes for an unknown state; a
    // missing or stray value gets the same, rather than an error in its log.
    list.append({"sensor",
                 QStringLiteral("seconds_left"),
                 text(lang, "Time left", "Осталось времени"),
                 {{QStringLiteral("state_topic"), topic(topics.attraction())},
                  {QStringLiteral("value_template"),
                   QStringLiteral("{{ value_json.seconds_left if value_json.seconds_left is number "
                                  "else 'None' }}")},
                  {QStringLiteral("device_class"), QStringLiteral("duration")},
                  {QStringLiteral("unit_of_measurement"), QStringLiteral("s")}}});
    list.append({"sensor",
                 QStringLiteral("last_act"),
                 text(lang, "Last act", "Последнее выступление"),
                 {{QStringLiteral("state_topic"), topic(topics.act())},
                  {QStringLiteral("value_template"), QStringLiteral("{{ value_json.name }}")},
                  {QStringLiteral("json_attributes_topic"), topic(topics.act())}}});
    return list;
}

QByteArray configTopic(const DiscoveredDevice& device, const QString& node, const Entity& entity) {
    return device.prefix + '/' + entity.component + '/' + node.toUtf8() + '/' +
           entity.objectId.toUtf8() + "/config";
}

} // namespace

QList<MqttMessage> HomeAssistantDiscovery::configs(const DiscoveredDevice& device) {
    const QString node = topicSafe(device.nodeId);
    const HomeTopics topics(device.base, device.prefix);
    const QJsonObject deviceInfo{
        {QStringLiteral("identifiers"), QJsonArray{QStringLiteral("gloamery_") + node}},
        {QStringLiteral("name"), QStringLiteral("Gloamery ") + node},
        {QStringLiteral("model"), QStringLiteral("Gloamery")},
        {QStringLiteral("manufacturer"), QStringLiteral("Gloamery")},
        {QStringLiteral("sw_version"), device.version},
    };

    QList<MqttMessage> messages;
    for (const Entity& entity : entities(device)) {
        QJsonObject config = entity.fields;
        const QString uniqueId = QStringLiteral("gloamery_%1_%2").arg(node, entity.objectId);
        config.insert(QStringLiteral("name"), entity.name);
        config.insert(QStringLiteral("unique_id"), uniqueId);
        // Entity ids that stay the same whatever the names' language.
        config.insert(QStringLiteral("default_entity_id"),
                      QLatin1String(entity.component) + u'.' + uniqueId);
        config.insert(QStringLiteral("availability_topic"), topic(topics.availability()));
        config.insert(QStringLiteral("payload_available"), QStringLiteral("online"));
        config.insert(QStringLiteral("payload_not_available"), QStringLiteral("offline"));
        config.insert(QStringLiteral("device"), deviceInfo);
        messages.append({configTopic(device, node, entity),
                         QJsonDocument(config).toJson(QJsonDocument::Compact), true, 1});
    }
    return messages;
}

QList<MqttMessage> HomeAssistantDiscovery::removals(const DiscoveredDevice& device) {
    const QString node = topicSafe(device.nodeId);
    QList<MqttMessage> messages;
    for (const Entity& entity : entities(device))
        messages.append({configTopic(device, node, entity), QByteArray(), true, 1});
    return messages;
}
