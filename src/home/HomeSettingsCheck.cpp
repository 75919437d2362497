// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeSettingsCheck.h"

#include "core/IntegerText.h"
#include "core/PortNumber.h"
#include "language/LanguagePhrases.h"

#include <QFileInfo>

namespace HomeSettingsCheck {

namespace {

constexpr HomeField Checked[] = {HomeField::Host,      HomeField::Port,
                                 HomeField::CaFile,    HomeField::NodeId,
                                 HomeField::BaseTopic, HomeField::DiscoveryPrefix};

bool isNodeId(const QString& id) {
    if (id.isEmpty())
        return false;
    for (const QChar c : id) {
        if (!((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_'))
            return false;
    }
    return true;
}

// Wildcards would make the program subscribe to, or publish on, topics it does not own; an outer
// '/' makes an empty level that brokers and Home Assistant treat differently.
bool isTopic(const QString& topic) {
    return !topic.isEmpty() && !topic.contains(u'+') && !topic.contains(u'#') &&
           !topic.startsWith(u'/') && !topic.endsWith(u'/');
}

// Under "gloamery/all" every room would take this room's states for commands to all.
bool isReserved(const QString& topic) {
    const QString all = QStringLiteral("gloamery/all");
    return topic == all || topic.startsWith(all + u'/');
}

QString said(Phrase which, Language language, const QString& value) {
    return phrase(which, language).arg(value);
}

} // namespace

std::optional<int> portFromText(const QString& text) {
    const std::optional<qint32> number = integerFromText(text);
    if (!number || !isPortNumber(*number))
        return std::nullopt;
    return *number;
}

QString portTextProblem(const QString& text, Language language) {
    return portFromText(text) ? QString() : said(Phrase::MqttPortInvalid, language, text);
}

QString problem(const HomeSettings& settings, HomeField field, Language language) {
    switch (field) {
    case HomeField::Enabled:
        return settings.enabled ? firstProblem(settings, language) : QString();
    case HomeField::Host:
        return settings.host.trimmed().isEmpty() ? phrase(Phrase::MqttHostEmpty, language)
                                                 : QString();
    case HomeField::Port:
        return isPortNumber(settings.port)
                   ? QString()
                   : said(Phrase::MqttPortInvalid, language, QString::number(settings.port));
    case HomeField::Tls:
    case HomeField::CaFile: {
        if (!settings.tls || settings.caFile.isEmpty())
            return {};
        const QFileInfo file(settings.caFile);
        return file.isFile() && file.isReadable()
                   ? QString()
                   : said(Phrase::MqttCaFileUnreadable, language, settings.caFile);
    }
    case HomeField::NodeId:
        if (!settings.nodeId.isEmpty() && !isNodeId(settings.nodeId))
            return said(Phrase::MqttNodeIdInvalid, language, settings.nodeId);
        // The node "all" would take the default base topic into gloamery/all.
        return problem(settings, HomeField::BaseTopic, language);
    case HomeField::BaseTopic:
        if (!settings.baseTopic.isEmpty() && !isTopic(settings.baseTopic))
            return said(Phrase::MqttBaseTopicInvalid, language, settings.baseTopic);
        return isReserved(settings.effectiveBaseTopic())
                   ? said(Phrase::MqttBaseTopicReserved, language, settings.effectiveBaseTopic())
                   : QString();
    case HomeField::DiscoveryPrefix:
        return isTopic(settings.discoveryPrefix)
                   ? QString()
                   : said(Phrase::MqttPrefixInvalid, language, settings.discoveryPrefix);
    case HomeField::User:
    case HomeField::Password:
        break;
    }
    return {};
}

QString firstProblem(const HomeSettings& settings, Language language) {
    for (const HomeField field : Checked) {
        if (QString why = problem(settings, field, language); !why.isEmpty())
            return why;
    }
    return {};
}

} // namespace HomeSettingsCheck
