// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeLinkForm.h"

#include "core/Clock.h"
#include "home/HomeLinkControl.h"
#include "language/LanguagePhrases.h"

#include <algorithm>

namespace {

constexpr HomeField EveryField[] = {
    HomeField::Host,     HomeField::Port,      HomeField::User,
    HomeField::Password, HomeField::Tls,       HomeField::CaFile,
    HomeField::NodeId,   HomeField::BaseTopic, HomeField::DiscoveryPrefix};

} // namespace

HomeLinkForm::HomeLinkForm(HomeLinkControl& link, const Language& language, const Clock* clock)
    : m_link(link)
    , m_language(language)
    , m_clock(clock) {
    connect(&link, &HomeLinkControl::stateChanged, this, [this] {
        if (m_clock)
            m_pauseBegan = m_clock->now();
        emit stateShown();
    });
    connect(&link, &HomeLinkControl::testFinished, this, [this](bool ok, const QString& message) {
        m_testing = false;
        setNote(
            phrase(ok ? Phrase::MqttTestPassed : Phrase::MqttTestFailed, m_language).arg(message));
    });
}

HomeLinkForm::Typed HomeLinkForm::typed(const HomeSettings& settings) {
    return {settings.enabled,        settings.host,     QString::number(settings.port),
            settings.user,           settings.password, settings.tls,
            settings.caFile,         settings.nodeId,   settings.baseTopic,
            settings.discoveryPrefix};
}

bool HomeLinkForm::take(HomeField field, const Typed& typed, HomeSettings& settings) {
    switch (field) {
    case HomeField::Enabled:
        settings.enabled = typed.enabled;
        break;
    case HomeField::Host:
        settings.host = typed.host.trimmed();
        break;
    case HomeField::Port:
        if (const auto port = HomeSettingsCheck::portFromText(typed.port)) {
            settings.port = *port;
            break;
        }
        setNote(HomeSettingsCheck::portTextProblem(typed.port, m_language));
        return false;
    case HomeField::User:
        settings.user = typed.user;
        break;
    case HomeField::Password:
        settings.password = typed.password;
        break;
    case HomeField::Tls:
        settings.tls = typed.tls;
        break;
    case HomeField::CaFile:
        settings.caFile = typed.caFile.trimmed();
        break;
    case HomeField::NodeId:
        settings.nodeId = typed.nodeId.trimmed();
        break;
    case HomeField::BaseTopic:
        settings.baseTopic = typed.baseTopic.trimmed();
        break;
    case HomeField::DiscoveryPrefix:
        settings.discoveryPrefix = typed.discoveryPrefix.trimmed();
        break;
    }
    return true;
}

bool HomeLinkForm::finish(HomeField field, const Typed& typed) {
    HomeSettings settings = m_link.settings();
    if (!take(field, typed, settings))
        return false;
    if (QString why = HomeSettingsCheck::problem(settings, field, m_language); !why.isEmpty()) {
        setNote(why);
        return false;
    }
    if (settings == m_link.settings())
        return true;
    setNote({});
    m_link.applySettings(settings);
    return true;
}

void HomeLinkForm::test(const Typed& typed) {
    if (m_testing)
        return;
    HomeSettings settings = m_link.settings();
    for (const HomeField field : EveryField) {
        if (!take(field, typed, settings))
            return;
    }
    if (QString why = HomeSettingsCheck::firstProblem(settings, m_language); !why.isEmpty()) {
        setNote(why);
        return;
    }
    m_testing = true;
    setNote(phrase(Phrase::MqttTesting, m_language).arg(address(settings)));
    m_link.testSettings(settings);
}

HomeLinkForm::Lamp HomeLinkForm::lamp() const {
    switch (m_link.state().phase) {
    case MqttLinkState::Phase::Off:
        return Lamp::Off;
    case MqttLinkState::Phase::Connecting:
    case MqttLinkState::Phase::Retrying:
        return Lamp::Waiting;
    case MqttLinkState::Phase::Connected:
        return Lamp::Lit;
    }
    return Lamp::Off;
}

QString HomeLinkForm::stateLine() const {
    const MqttLinkState state = m_link.state();
    const QString where = address(m_link.settings());
    switch (state.phase) {
    case MqttLinkState::Phase::Off:
        return phrase(Phrase::MqttOff, m_language);
    case MqttLinkState::Phase::Connecting:
        return phrase(Phrase::MqttConnecting, m_language).arg(where);
    case MqttLinkState::Phase::Connected:
        return phrase(Phrase::MqttConnected, m_language).arg(where);
    case MqttLinkState::Phase::Retrying: {
        qint64 left = state.retryInSeconds;
        if (m_clock && m_pauseBegan.isValid())
            left = std::max<qint64>(0, left - m_pauseBegan.secsTo(m_clock->now()));
        return phrase(Phrase::MqttRetrying, m_language).arg(state.problem, QString::number(left));
    }
    }
    return {};
}

QString HomeLinkForm::nodeIdDefault() const {
    HomeSettings settings = m_link.settings();
    settings.nodeId.clear();
    return settings.effectiveNodeId();
}

QString HomeLinkForm::baseTopicDefault() const {
    HomeSettings settings = m_link.settings();
    settings.baseTopic.clear();
    return settings.effectiveBaseTopic();
}

void HomeLinkForm::setNote(const QString& note) {
    if (note == m_note)
        return;
    m_note = note;
    emit noteChanged(m_note);
}

QString HomeLinkForm::address(const HomeSettings& settings) const {
    return QStringLiteral("%1:%2").arg(settings.host).arg(settings.port);
}
