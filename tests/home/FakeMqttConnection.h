// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "home/MqttConnection.h"

// What a link was asked to do, kept after the link is gone.
struct FakeMqttLog {
    MqttEndpoint endpoint;
    QList<QByteArray> filters;
    QList<MqttMessage> published;
    QList<MqttMessage> farewell;
    bool closed = false;

    // The last payload published on `topic`, or nothing.
    std::optional<QByteArray> last(const QByteArray& topic) const {
        for (auto it = published.crbegin(); it != published.crend(); ++it)
            if (it->topic == topic)
                return it->payload;
        return std::nullopt;
    }
};

// A link the test connects, breaks and feeds by hand.
class FakeMqttConnection : public MqttConnection {
public:
    explicit FakeMqttConnection(FakeMqttLog& log)
        : m_log(log) {}

    void open(const MqttEndpoint& to) override {
        m_log.endpoint = to;
        setState({MqttLinkState::Phase::Connecting, {}, 0});
    }
    void close(const QList<MqttMessage>& goodbye) override {
        m_log.farewell = goodbye;
        m_log.closed = true;
        setState({});
    }
    bool publish(const MqttMessage& message) override {
        if (m_state.phase != MqttLinkState::Phase::Connected)
            return false;
        m_log.published.append(message);
        return true;
    }
    void subscribe(const QList<QByteArray>& wanted) override { m_log.filters = wanted; }
    MqttLinkState state() const override { return m_state; }

    void connectNow() {
        setState({MqttLinkState::Phase::Connected, {}, 0});
        emit connected();
    }
    void fail(const QString& problem) { setState({MqttLinkState::Phase::Retrying, problem, 1}); }
    void deliver(const QByteArray& topic, const QByteArray& payload) {
        emit messageArrived(topic, payload);
    }

private:
    void setState(const MqttLinkState& state) {
        m_state = state;
        emit stateChanged(state);
    }

    FakeMqttLog& m_log;
    MqttLinkState m_state;
};
