// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ActTrigger.h"
#include "core/CurrentAct.h"
#include "core/PacedWarnings.h"
#include "core/ProgramControl.h"
#include "home/HomeAct.h"
#include "home/HomeHouse.h"
#include "home/HomeLinkControl.h"
#include "home/HomeTopics.h"

#include <QTimer>

#include <array>
#include <memory>
#include <optional>

class Clock;
class SettingsStore;

// The program on the home's MQTT broker: tells the home what the program does (retained states,
// Home Assistant's discovery, one event per act) and does what the home asks, through
// ProgramControl with its refusals, or as a sensor input of the boards would.
class HomeAutomation : public HomeLinkControl {
    Q_OBJECT
public:
    // How long an act waits for its sound to start before it is told without the sound's words.
    static constexpr int ActReportWaitMs = 3000;
    // How long a test of the dialog's settings may take.
    static constexpr int TestTimeoutMs = 15000;
    // How often the program's state is compared with what was last published.
    static constexpr int StateCheckMs = 1000;
    // Seconds left are rounded to this, so the broker is not told every second.
    static constexpr int SecondsLeftStep = 10;

    // Without a factory the link stays off whatever the settings say.
    HomeAutomation(SettingsStore* store, ProgramControl& control, HomeHouse house,
                   MqttConnectionFactory connections, const Clock& clock, QString version);
    // Says goodbye to the broker, then saves the settings if they were loaded.
    ~HomeAutomation() override;

    void loadSettings();
    void saveSettings();
    // Connects when the settings say so.
    void startIfEnabled();

    // What the program tells it.
    void inputChanged(int input, bool on); // 0..8
    void doorChanged(bool open);
    void attractionChanged();
    // `act.sounded`: the act started its sound; the event then waits for soundStarted().
    void acted(HomeAct act);
    void soundStarted(bool started, const QString& description);

    HomeSettings settings() const override { return m_settings; }
    void applySettings(const HomeSettings& settings) override;
    MqttLinkState state() const override;
    // The broker cannot be reached, and why; nothing while it can or while the link is off.
    std::optional<ProgramFault> fault() const;
    void testSettings(const HomeSettings& settings) override;

    static HomeAct actOf(const CurrentAct& act, const QString& name, const ActTrigger& trigger,
                         bool played);

    // The topics in use, for those who test it.
    const HomeTopics& topics() const { return m_topics; }

private:
    struct Published {
        bool running = false;
        int secondsLeft = -1;
        std::array<bool, 8> ghostOn{};
        std::array<QString, 8> ghostNames;
        bool operator==(const Published&) const = default;
    };

    MqttEndpoint endpoint(const HomeSettings& settings, const QByteArray& clientSuffix) const;
    void open();
    void close();
    QList<MqttMessage> farewell() const;
    void onConnected();
    void onMessage(const QByteArray& topic, const QByteArray& payload);
    void obey(const HomeCommand& command);
    void refused(const QString& what, ProgramControl::Outcome outcome);
    void warn(const QByteArray& topic, const QString& problem);
    void publish(const QByteArray& topic, const QByteArray& payload, bool retain = true);
    void publishDiscovery();
    void publishStates();
    void publishChanges();
    Published snapshot() const;
    void sendAct();
    struct DiscoveredDevice device() const;

    SettingsStore* m_store;
    ProgramControl& m_control;
    HomeHouse m_house;
    MqttConnectionFactory m_connections;
    const Clock& m_clock;
    QString m_version;
    HomeSettings m_settings;
    HomeTopics m_topics;
    std::unique_ptr<MqttConnection> m_link;
    std::unique_ptr<MqttConnection> m_test;
    QTimer m_testTimeout;
    QTimer m_stateCheck;
    QTimer m_actWait;
    std::optional<HomeAct> m_pendingAct;
    std::optional<Published> m_published;
    PacedWarnings m_warnings;
    QString m_loggedProblem;
    bool m_loaded = false;
};
