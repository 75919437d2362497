// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeAutomation.h"

#include "core/Clock.h"
#include "core/LogCategories.h"
#include "home/HomeAssistantDiscovery.h"

namespace {

constexpr int GhostCount = 8;
constexpr int InputCount = 9;
// A flood of bad messages on one topic writes one warning a minute.
constexpr qint64 WarningIntervalMs = 60'000;
constexpr int WarnedTopics = 64;

QString outcomeText(ProgramControl::Outcome outcome) {
    switch (outcome) {
    case ProgramControl::Outcome::Done:
        break;
    case ProgramControl::Outcome::DialogOpen:
        return QStringLiteral("a settings dialog is open");
    case ProgramControl::Outcome::NoBoard:
        return QStringLiteral("there is no board to open the door with");
    case ProgramControl::Outcome::NoSuchGhost:
        return QStringLiteral("there is no such ghost");
    }
    return {};
}

int roundedUp(int seconds, int step) {
    return seconds <= 0 ? seconds : (seconds + step - 1) / step * step;
}

} // namespace

HomeAutomation::HomeAutomation(SettingsStore* store, ProgramControl& control, HomeHouse house,
                               MqttConnectionFactory connections, const Clock& clock,
                               QString version)
    : m_store(store)
    , m_control(control)
    , m_house(std::move(house))
    , m_connections(std::move(connections))
    , m_clock(clock)
    , m_version(std::move(version))
    , m_topics({}, {})
    , m_warnings(WarningIntervalMs, WarnedTopics) {
    m_testTimeout.setSingleShot(true);
    m_testTimeout.setInterval(TestTimeoutMs);
    connect(&m_testTimeout, &QTimer::timeout, this, [this] {
        m_test.reset();
        emit testFinished(false, QStringLiteral("no answer within %1 s").arg(TestTimeoutMs / 1000));
    });
    m_stateCheck.setInterval(StateCheckMs);
    connect(&m_stateCheck, &QTimer::timeout, this, &HomeAutomation::publishChanges);
    m_actWait.setSingleShot(true);
    m_actWait.setInterval(ActReportWaitMs);
    connect(&m_actWait, &QTimer::timeout, this, &HomeAutomation::sendAct);
}

HomeAutomation::~HomeAutomation() {
    close();
    if (m_loaded)
        saveSettings();
}

void HomeAutomation::loadSettings() {
    const QString message = HomeSettingsStore(m_store).load(m_settings);
    if (!message.isEmpty())
        qCWarning(lcHome).noquote() << message;
    m_loaded = true;
}

void HomeAutomation::saveSettings() {
    const QString message = HomeSettingsStore(m_store).save(m_settings);
    if (!message.isEmpty())
        qCWarning(lcHome).noquote() << message;
    m_loaded = false;
}

void HomeAutomation::startIfEnabled() {
    if (m_settings.enabled && !m_link)
        open();
}

MqttEndpoint HomeAutomation::endpoint(const HomeSettings& settings,
                                      const QByteArray& clientSuffix) const {
    MqttEndpoint point;
    point.host = settings.host;
    point.port = settings.port;
    point.user = settings.user;
    point.password = settings.password;
    point.tls = settings.tls;
    point.caFile = settings.caFile;
    point.clientId = "gloamery-" + settings.effectiveNodeId().toUtf8() + clientSuffix;
    return point;
}

void HomeAutomation::open() {
    if (!m_connections)
        return;
    m_topics =
        HomeTopics(m_settings.effectiveBaseTopic().toUtf8(), m_settings.discoveryPrefix.toUtf8());
    MqttEndpoint point = endpoint(m_settings, {});
    point.will = {m_topics.availability(), "offline", true, 1};
    m_link = m_connections();
    connect(m_link.get(), &MqttConnection::connected, this, &HomeAutomation::onConnected);
    connect(m_link.get(), &MqttConnection::messageArrived, this, &HomeAutomation::onMessage);
    connect(m_link.get(), &MqttConnection::stateChanged, this, [this](const MqttLinkState& now) {
        // One line per new problem, not one per retry.
        if (!now.problem.isEmpty() && now.problem != m_loggedProblem)
            qCWarning(lcHome).noquote() << QStringLiteral("MQTT broker %1:%2: %3")
                                               .arg(m_settings.host)
                                               .arg(m_settings.port)
                                               .arg(now.problem);
        if (now.phase == MqttLinkState::Phase::Connected)
            qCInfo(lcHome).noquote() << QStringLiteral("connected to the MQTT broker %1:%2")
                                            .arg(m_settings.host)
                                            .arg(m_settings.port);
        m_loggedProblem = now.problem;
        if (now.phase != MqttLinkState::Phase::Connected)
            m_stateCheck.stop();
        emit stateChanged(now);
    });
    m_link->subscribe(m_topics.subscriptions());
    m_link->open(point);
    emit stateChanged(state());
}

QList<MqttMessage> HomeAutomation::farewell() const {
    return {{m_topics.availability(), "offline", true, 1}};
}

void HomeAutomation::close() {
    m_stateCheck.stop();
    m_published.reset();
    if (!m_link)
        return;
    m_link->close(farewell());
    m_link.reset();
    m_loggedProblem.clear();
}

MqttLinkState HomeAutomation::state() const {
    return m_link ? m_link->state() : MqttLinkState{};
}

std::optional<ProgramFault> HomeAutomation::fault() const {
    const MqttLinkState now = state();
    if (now.phase != MqttLinkState::Phase::Retrying)
        return std::nullopt;
    return ProgramFault{ProgramFault::Kind::HomeAutomation, 0, now.problem};
}

void HomeAutomation::applySettings(const HomeSettings& settings) {
    const bool sameDevice = settings.effectiveBaseTopic() == m_settings.effectiveBaseTopic() &&
                            settings.effectiveNodeId() == m_settings.effectiveNodeId() &&
                            settings.discoveryPrefix == m_settings.discoveryPrefix;
    // The old device's entities go before the link does, or Home Assistant would keep them.
    if (!sameDevice && m_link && m_link->state().phase == MqttLinkState::Phase::Connected)
        for (const MqttMessage& removal : HomeAssistantDiscovery::removals(device()))
            m_link->publish(removal);
    close();
    m_settings = settings;
    emit stateChanged(state());
    startIfEnabled();
}

void HomeAutomation::testSettings(const HomeSettings& settings) {
    if (!m_connections) {
        emit testFinished(false, QStringLiteral("this program was built without MQTT"));
        return;
    }
    m_test = m_connections();
    const QString broker = QStringLiteral("%1:%2").arg(settings.host).arg(settings.port);
    connect(m_test.get(), &MqttConnection::stateChanged, this,
            [this, broker](const MqttLinkState& now) {
                if (now.phase != MqttLinkState::Phase::Connected &&
                    now.phase != MqttLinkState::Phase::Retrying)
                    return;
                m_testTimeout.stop();
                const bool ok = now.phase == MqttLinkState::Phase::Connected;
                const QString message = ok ? broker : now.problem;
                // Not from inside its own signal.
                m_test.release()->deleteLater();
                emit testFinished(ok, message);
            });
    m_testTimeout.start();
    m_test->open(endpoint(settings, "-test"));
}

void HomeAutomation::onConnected() {
    publish(m_topics.availability(), "online");
    publishStates();
    publishDiscovery();
    m_stateCheck.start();
}

DiscoveredDevice HomeAutomation::device() const {
    DiscoveredDevice found;
    found.nodeId = m_settings.effectiveNodeId();
    found.base = m_topics.base();
    found.prefix = m_topics.discoveryPrefix();
    found.version = m_version;
    found.language = m_control.language();
    for (int ghost = 1; ghost <= GhostCount; ++ghost)
        found.ghostNames[size_t(ghost - 1)] = m_control.ghost(ghost).name;
    return found;
}

void HomeAutomation::publishDiscovery() {
    if (m_link)
        for (const MqttMessage& config : HomeAssistantDiscovery::configs(device()))
            m_link->publish(config);
}

void HomeAutomation::publish(const QByteArray& topic, const QByteArray& payload, bool retain) {
    if (m_link)
        m_link->publish({topic, payload, retain, 0});
}

HomeAutomation::Published HomeAutomation::snapshot() const {
    Published now;
    const ProgramControl::AttractionView attraction = m_control.attraction();
    now.running = attraction.running;
    now.secondsLeft = attraction.running ? roundedUp(attraction.secondsLeft, SecondsLeftStep) : -1;
    for (int ghost = 1; ghost <= GhostCount; ++ghost) {
        const ProgramControl::GhostView view = m_control.ghost(ghost);
        now.ghostOn[size_t(ghost - 1)] = view.on;
        now.ghostNames[size_t(ghost - 1)] = view.name;
    }
    return now;
}

void HomeAutomation::publishStates() {
    m_published.reset();
    publishChanges();
    for (int input = 0; input < InputCount; ++input)
        if (m_house.inputOn)
            publish(m_topics.input(input + 1), HomeTopics::onOff(m_house.inputOn(input)));
    if (m_house.doorOpen)
        publish(m_topics.door(), HomeTopics::onOff(m_house.doorOpen()));
}

void HomeAutomation::publishChanges() {
    if (!m_link || m_link->state().phase != MqttLinkState::Phase::Connected)
        return;
    const Published now = snapshot();
    const bool all = !m_published;
    if (all || now.running != m_published->running || now.secondsLeft != m_published->secondsLeft)
        publish(m_topics.attraction(), HomeTopics::attractionPayload(now.running, now.secondsLeft));
    for (int ghost = 1; ghost <= GhostCount; ++ghost) {
        const size_t at = size_t(ghost - 1);
        if (all || now.ghostOn[at] != m_published->ghostOn[at])
            publish(m_topics.ghost(ghost), HomeTopics::onOff(now.ghostOn[at]));
    }
    // A renamed ghost renames its entity.
    const bool renamed = !all && now.ghostNames != m_published->ghostNames;
    m_published = now;
    if (renamed)
        publishDiscovery();
}

void HomeAutomation::inputChanged(int input, bool on) {
    publish(m_topics.input(input + 1), HomeTopics::onOff(on));
}

void HomeAutomation::doorChanged(bool open) {
    publish(m_topics.door(), HomeTopics::onOff(open));
}

void HomeAutomation::attractionChanged() {
    publishChanges();
}

HomeAct HomeAutomation::actOf(const CurrentAct& act, const QString& name, const ActTrigger& trigger,
                              bool played) {
    HomeAct told;
    told.ghost = act.GhostNumber;
    told.name = name;
    told.longSound = act.SoundKind == 0;
    told.specialty = act.Special;
    told.soundNumber = act.SoundNumber;
    told.effect = act.StereoEffect;
    told.sounded = played;
    switch (trigger.source) {
    case ActTrigger::Source::Scheduler:
        told.trigger = QStringLiteral("attraction");
        break;
    case ActTrigger::Source::Sensor:
        told.trigger = QStringLiteral("sensor");
        break;
    case ActTrigger::Source::NetworkCommand:
        told.trigger = QStringLiteral("network");
        break;
    case ActTrigger::Source::SoundWindow:
        told.trigger = QStringLiteral("sound window");
        break;
    case ActTrigger::Source::HomeAutomation:
        told.trigger = QStringLiteral("mqtt");
        break;
    }
    return told;
}

void HomeAutomation::acted(HomeAct act) {
    act.node = m_settings.effectiveNodeId();
    // An act replaced before its sound started is told as it was.
    if (m_pendingAct)
        sendAct();
    m_pendingAct = std::move(act);
    if (m_pendingAct->sounded)
        m_actWait.start();
    else
        sendAct();
}

void HomeAutomation::soundStarted(bool started, const QString& description) {
    if (!m_pendingAct)
        return;
    m_pendingAct->sounded = started;
    m_pendingAct->description = description;
    sendAct();
}

void HomeAutomation::sendAct() {
    m_actWait.stop();
    if (!m_pendingAct)
        return;
    publish(m_topics.act(), HomeActJson::encode(*m_pendingAct), false);
    m_pendingAct.reset();
}

void HomeAutomation::onMessage(const QByteArray& topic, const QByteArray& payload) {
    const HomeParse parsed = m_topics.parse(topic, payload);
    if (parsed.command)
        obey(*parsed.command);
    else if (!parsed.problem.isEmpty())
        warn(topic, parsed.problem);
}

void HomeAutomation::warn(const QByteArray& topic, const QString& problem) {
    const std::optional<QString> note =
        m_warnings.admit(QString::fromUtf8(topic.left(HomeTopics::MaxTopicBytes)), m_clock.now());
    if (note)
        qCWarning(lcHome).noquote() << problem + *note;
}

void HomeAutomation::refused(const QString& what, ProgramControl::Outcome outcome) {
    if (outcome == ProgramControl::Outcome::Done)
        return;
    qCInfo(lcHome).noquote() << QStringLiteral("%1 refused: %2").arg(what, outcomeText(outcome));
    // The home's switch shows what it asked for: tell it what stands.
    m_published.reset();
    publishChanges();
}

void HomeAutomation::obey(const HomeCommand& command) {
    const bool on = command.value == HomeCommand::Value::On;
    switch (command.target) {
    case HomeCommand::Target::Attraction:
        refused(QStringLiteral("attraction %1").arg(on ? u"on" : u"off"),
                on ? m_control.startAttraction() : m_control.stopAttraction());
        break;
    case HomeCommand::Target::ActNow:
        refused(QStringLiteral("act now"),
                m_control.ghostActNow({ActTrigger::Source::HomeAutomation}));
        break;
    case HomeCommand::Target::Door:
        refused(QStringLiteral("open the door"), m_control.openDoor());
        break;
    case HomeCommand::Target::Ghost:
        refused(QStringLiteral("ghost %1 %2").arg(command.number).arg(on ? u"on" : u"off"),
                m_control.switchGhost(command.number, on));
        break;
    case HomeCommand::Target::Input:
        if (command.value == HomeCommand::Value::Press) {
            if (m_house.pressInput)
                m_house.pressInput(command.number - 1);
        } else if (m_house.setInput) {
            m_house.setInput(command.number - 1, on);
        }
        break;
    case HomeCommand::Target::AssistantOnline:
        publishDiscovery();
        break;
    }
    // A switch turned by the home reads back at once, not at the next check.
    publishChanges();
}
