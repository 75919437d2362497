// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

struct MqttMessage {
    QByteArray topic;
    QByteArray payload;
    bool retain = false;
    int qos = 0;

    bool operator==(const MqttMessage&) const = default;
};

// Where to connect and as whom. The will is what the broker publishes when the program
// vanishes without saying goodbye.
struct MqttEndpoint {
    QString host;
    int port = 1883;
    QString user;     // empty: no user name
    QString password; // used only with a user name
    bool tls = false;
    QString caFile; // empty with TLS: the system's certificates
    QByteArray clientId;
    MqttMessage will;
    int keepAliveSeconds = 30;
};

// What a person is shown about the link: a lamp and one line.
struct MqttLinkState {
    enum class Phase {
        Off,        // not asked to connect
        Connecting, // the first attempt, or one after a clean close
        Connected,
        Retrying, // the last attempt failed or the link broke; `problem` says why
    };

    Phase phase = Phase::Off;
    // Why the last attempt failed or the link broke, in one line; empty when connected.
    QString problem;
    // Seconds until the next attempt while Retrying; 0 while that attempt is under way.
    int retryInSeconds = 0;

    bool operator==(const MqttLinkState&) const = default;
};

// One client's link to a broker, run by the thread that made it without ever waiting on the
// network. Once opened it keeps reconnecting, with a growing pause, until closed.
class MqttConnection : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~MqttConnection() override = default;

    virtual void open(const MqttEndpoint& endpoint) = 0;
    // Publishes `farewell` and leaves cleanly; the will is not sent. Safe to call when closed.
    virtual void close(const QList<MqttMessage>& farewell) = 0;
    // False, dropping it, while not connected.
    virtual bool publish(const MqttMessage& message) = 0;
    // Topic filters kept for the life of the connection and subscribed anew on every connection.
    virtual void subscribe(const QList<QByteArray>& filters) = 0;
    virtual MqttLinkState state() const = 0;

signals:
    // Every time a connection is made, after the subscriptions have been asked for: retained
    // states must be published again, since the broker may have lost them.
    void connected();
    void stateChanged(const MqttLinkState& state);
    void messageArrived(const QByteArray& topic, const QByteArray& payload);
};

using MqttConnectionFactory = std::function<std::unique_ptr<MqttConnection>()>;
