// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "home/MqttConnection.h"

// A link the test connects, breaks and feeds by hand; keeps what it was asked to publish.
class FakeMqttConnection : public MqttConnection {
public:
    MqttEndpoint endpoint;
    QList<QByteArray> filters;
    QList<MqttMessage> published;
    QList<MqttMessage> farewell;
    bool closed = false;

    void open(const MqttEndpoint& to) override {
        endpoint = to;
        setState({MqttLinkState::Phase::Connecting, {}, 0});
    }
    void close(const QList<MqttMessage>& goodbye) override {
        farewell = goodbye;
        closed = true;
        setState({});
    }
    bool publish(const MqttMessage& message) override {
        if (m_state.phase != MqttLinkState::Phase::Connected)
            return false;
        published.append(message);
        return true;
    }
    void subscribe(const QList<QByteArray>& wanted) override { filters = wanted; }
    MqttLinkState state() const override { return m_state; }

    void connectNow() {
        setState({MqttLinkState::Phase::Connected, {}, 0});
        emit connected();
    }
    void fail(const QString& problem) { setState({MqttLinkState::Phase::Retrying, problem, 1}); }
    void deliver(const QByteArray& topic, const QByteArray& payload) {
        emit messageArrived(topic, payload);
    }
    // The last payload published on `topic`, or nothing.
    std::optional<QByteArray> last(const QByteArray& topic) const {
        for (auto it = published.crbegin(); it != published.crend(); ++it)
            if (it->topic == topic)
                return it->payload;
        return std::nullopt;
    }

private:
    void setState(const MqttLinkState& state) {
        m_state = state;
        emit stateChanged(state);
    }

    MqttLinkState m_state;
};
