// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/MosquittoConnection.h"

#include "MosquittoBroker.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

using namespace std::chrono_literals;

namespace {

const MqttLinkState Connected{MqttLinkState::Phase::Connected, {}, 0};

MqttEndpoint local(quint16 port, const QByteArray& clientId) {
    MqttEndpoint endpoint;
    endpoint.host = QStringLiteral("127.0.0.1");
    endpoint.port = port;
    endpoint.clientId = clientId;
    return endpoint;
}

// A connection with short pauses and what it said.
struct Client {
    MosquittoConnection connection;
    QList<MqttLinkState> states;
    QList<MqttMessage> received;
    int connects = 0;

    Client() {
        connection.setRetryPauses(50ms, 200ms, 60s);
        QObject::connect(&connection, &MqttConnection::stateChanged,
                         [this](const MqttLinkState& state) { states.append(state); });
        QObject::connect(&connection, &MqttConnection::connected, [this] { ++connects; });
        QObject::connect(&connection, &MqttConnection::messageArrived,
                         [this](const QByteArray& topic, const QByteArray& payload) {
                             received.append({topic, payload});
                         });
    }
    bool waitConnected(int times = 1) {
        return QTest::qWaitFor([&] { return connects >= times; }, 5000);
    }
    bool waitFor(const QByteArray& topic, const QByteArray& payload) {
        return QTest::qWaitFor(
            [&] {
                return std::any_of(received.begin(), received.end(), [&](const MqttMessage& m) {
                    return m.topic == topic && m.payload == payload;
                });
            },
            5000);
    }
    QList<QByteArray> payloadsOn(const QByteArray& topic) const {
        QList<QByteArray> payloads;
        for (const MqttMessage& message : received) {
            if (message.topic == topic) {
                payloads.append(message.payload);
            }
        }
        return payloads;
    }
};

struct SizeCase {
    const char* name;
    int topicBytes;
    int payloadBytes;
    bool delivered;
};

void PrintTo(const SizeCase& test, std::ostream* out) {
    *out << test.name;
}

class MessageSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(MessageSizes, OnlyMessagesWithinTheLimitsArrive) {
    MosquittoBroker broker;
    ASSERT_EQ(broker.start(), QString());
    Client sender;
    Client receiver;
    receiver.connection.subscribe({"#"});
    sender.connection.open(local(broker.port(), "sender"));
    receiver.connection.open(local(broker.port(), "receiver"));
    ASSERT_TRUE(sender.waitConnected() && receiver.waitConnected());

    const QByteArray topic = "t/" + QByteArray(GetParam().topicBytes - 2, 'a');
    const QByteArray payload(GetParam().payloadBytes, 'p');
    ASSERT_TRUE(sender.connection.publish({topic, payload}));
    // Messages of one sender arrive in order: once the marker is in, the probe is too or never.
    ASSERT_TRUE(sender.connection.publish({"marker", "end"}));
    ASSERT_TRUE(receiver.waitFor("marker", "end"));
    EXPECT_EQ(receiver.payloadsOn(topic).size(), GetParam().delivered ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Mosquitto, MessageSizes,
    ::testing::Values(
        SizeCase{"small", 10, 100, true},
        SizeCase{"topic_at_limit", MosquittoConnection::MaxTopicBytes, 10, true},
        SizeCase{"topic_over_limit", MosquittoConnection::MaxTopicBytes + 1, 10, false},
        SizeCase{"payload_at_limit", 10, MosquittoConnection::MaxPayloadBytes, true},
        SizeCase{"payload_over_limit", 10, MosquittoConnection::MaxPayloadBytes + 1, false}),
    [](const auto& param) { return std::string(param.param.name); });

enum class Peer { Nobody, BrokerWithUser, Silent };

struct FailureCase {
    const char* name;
    Peer peer;
    QString host;
    QString user;
    QString password;
    // %1 is the host and port.
    QString problem;
};

void PrintTo(const FailureCase& test, std::ostream* out) {
    *out << test.name;
}

class FailedAttempts : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailedAttempts, RetryWithAProblemAPersonUnderstands) {
    const FailureCase& test = GetParam();
    MosquittoBroker broker;
    QTcpServer silent; // takes the connection and never answers
    quint16 port = broker.port();
    if (test.peer == Peer::BrokerWithUser) {
        ASSERT_EQ(broker.startWithUser(QStringLiteral("house"), QStringLiteral("right")),
                  QString());
    } else if (test.peer == Peer::Silent) {
        ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
        port = silent.serverPort();
    }
    Client client;
    client.connection.setAttemptTimeout(300ms);
    MqttEndpoint endpoint = local(port, "failing");
    endpoint.host = test.host;
    endpoint.user = test.user;
    endpoint.password = test.password;
    client.connection.open(endpoint);

    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return client.connection.state().phase == MqttLinkState::Phase::Retrying; }, 5000));
    const MqttLinkState state = client.connection.state();
    const QString where = QStringLiteral("%1:%2").arg(test.host).arg(port);
    EXPECT_EQ(state.problem.toStdString(),
              QString(test.problem).replace("%1", where).toStdString());
    EXPECT_GE(state.retryInSeconds, 1);
    EXPECT_FALSE(client.connection.publish({"t", "p"}));
    EXPECT_EQ(client.connects, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Mosquitto, FailedAttempts,
    ::testing::Values(
        FailureCase{"refused", Peer::Nobody, "127.0.0.1", {}, {}, "connection refused by %1"},
        FailureCase{"wrong_password", Peer::BrokerWithUser, "127.0.0.1", "house", "wrong",
                    "wrong user name or password"},
        FailureCase{"unknown_user", Peer::BrokerWithUser, "127.0.0.1", "guest", "right",
                    "wrong user name or password"},
        FailureCase{"no_user",
                    Peer::BrokerWithUser,
                    "127.0.0.1",
                    {},
                    {},
                    "the broker asks for a user name and password"},
        FailureCase{"unknown_host",
                    Peer::Nobody,
                    "no-such-host.invalid",
                    {},
                    {},
                    "host not found: no-such-host.invalid"},
        FailureCase{
            "no_answer", Peer::Silent, "127.0.0.1", {}, {}, "no answer from %1 within 1 s"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(MosquittoConnection, RightPasswordGetsIn) {
    MosquittoBroker broker;
    ASSERT_EQ(broker.startWithUser(QStringLiteral("house"), QStringLiteral("right")), QString());
    Client client;
    MqttEndpoint endpoint = local(broker.port(), "house");
    endpoint.user = QStringLiteral("house");
    endpoint.password = QStringLiteral("right");
    client.connection.open(endpoint);
    ASSERT_TRUE(client.waitConnected());
    EXPECT_EQ(client.connection.state(), Connected);
}

TEST(MosquittoConnection, ConnectsOnceTheBrokerStarts) {
    MosquittoBroker broker;
    Client client;
    client.connection.open(local(broker.port(), "early"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return client.connection.state().phase == MqttLinkState::Phase::Retrying; }, 5000));
    ASSERT_EQ(broker.start(), QString());
    ASSERT_TRUE(client.waitConnected());
    EXPECT_EQ(client.states.front().phase, MqttLinkState::Phase::Connecting);
    EXPECT_EQ(client.states.back(), Connected);
}

TEST(MosquittoConnection, ResubscribesAfterABrokerRestart) {
    MosquittoBroker broker;
    ASSERT_EQ(broker.start(), QString());
    Client sender;
    Client receiver;
    receiver.connection.subscribe({"home/+/set"});
    sender.connection.open(local(broker.port(), "sender"));
    receiver.connection.open(local(broker.port(), "receiver"));
    ASSERT_TRUE(sender.waitConnected() && receiver.waitConnected());
    ASSERT_TRUE(sender.connection.publish({"home/lamp/set", "ON"}));
    ASSERT_TRUE(receiver.waitFor("home/lamp/set", "ON"));

    broker.stop();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return receiver.connection.state().phase == MqttLinkState::Phase::Retrying; }, 5000));
    EXPECT_EQ(receiver.connection.state().problem, QStringLiteral("broker closed the connection"));
    ASSERT_EQ(broker.start(), QString());
    ASSERT_TRUE(sender.waitConnected(2) && receiver.waitConnected(2));
    ASSERT_TRUE(sender.connection.publish({"home/lamp/set", "OFF"}));
    EXPECT_TRUE(receiver.waitFor("home/lamp/set", "OFF"));
}

TEST(MosquittoConnection, BrokerPublishesTheWillOfAKilledProgram) {
    MosquittoBroker broker;
    ASSERT_EQ(broker.start(), QString());
    QProcess holder;
    holder.start(
        QCoreApplication::applicationDirPath() + QStringLiteral("/mqtt_will_holder"),
        {QString::number(broker.port()), QStringLiteral("home/status"), QStringLiteral("offline")});
    ASSERT_TRUE(holder.waitForStarted(5000)) << holder.errorString().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return holder.readAll().contains("connected"); }, 5000));
    ::kill(static_cast<pid_t>(holder.processId()), SIGKILL);
    holder.waitForFinished(5000);

    // Retained: a client that comes later still reads it.
    Client reader;
    reader.connection.subscribe({"home/status"});
    reader.connection.open(local(broker.port(), "reader"));
    EXPECT_TRUE(reader.waitFor("home/status", "offline"));
}

TEST(MosquittoConnection, CloseSendsTheFarewellInsteadOfTheWill) {
    MosquittoBroker broker;
    ASSERT_EQ(broker.start(), QString());
    Client leaving;
    Client observer;
    observer.connection.subscribe({"home/#"});
    observer.connection.open(local(broker.port(), "observer"));
    MqttEndpoint endpoint = local(broker.port(), "leaving");
    endpoint.will = {"home/status", "offline", true, 1};
    leaving.connection.open(endpoint);
    ASSERT_TRUE(leaving.waitConnected() && observer.waitConnected());

    leaving.connection.close({{"home/status", "closed", true, 1}, {"home/lamp", "OFF", true, 0}});
    EXPECT_EQ(leaving.connection.state(), MqttLinkState{});
    ASSERT_TRUE(observer.waitFor("home/lamp", "OFF"));
    // A will would follow the farewell before this round trip ends.
    ASSERT_TRUE(observer.connection.publish({"home/marker", "end"}));
    ASSERT_TRUE(observer.waitFor("home/marker", "end"));
    EXPECT_EQ(observer.payloadsOn("home/status"), QList<QByteArray>{"closed"});
}

TEST(MosquittoConnection, AnAttemptLeftBehindDoesNotComeBack) {
    MosquittoBroker broker;
    ASSERT_EQ(broker.start(), QString());
    // Destroyed and closed while the connect call runs on the pool thread.
    auto destroyed = std::make_unique<MosquittoConnection>();
    destroyed->open(local(broker.port(), "destroyed"));
    destroyed.reset();
    Client closed;
    closed.connection.open(local(broker.port(), "closed"));
    closed.connection.close({});

    Client later;
    later.connection.open(local(broker.port(), "later"));
    ASSERT_TRUE(later.waitConnected());
    QTest::qWait(100);
    EXPECT_EQ(closed.connects, 0);
    EXPECT_EQ(closed.connection.state(), MqttLinkState{});
}

// A broker that knows MQTT 3.1.1 only: it refuses a newer protocol level in the CONNECT packet
// the way such brokers do, and accepts 3.1.1.
class OldBroker : public QObject {
public:
    QList<int> levelsAsked;

    OldBroker() {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* socket = m_server.nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
        });
    }
    quint16 port() const { return m_server.serverPort(); }

private:
    void answer(QTcpSocket* socket) {
        if (m_answered.contains(socket)) {
            return;
        }
        m_pending[socket] += socket->readAll();
        const QByteArray& packet = m_pending[socket];
        // Type, a one-byte length, the protocol name "MQTT" with its length, then the level.
        if (packet.size() < 9) {
            return;
        }
        const int level = packet.at(8);
        levelsAsked.append(level);
        m_answered.insert(socket);
        const bool known = level == 4;
        socket->write(QByteArray::fromHex(known ? "20020000" : "20020001"));
        if (!known) {
            socket->disconnectFromHost();
        }
    }

    QTcpServer m_server;
    QHash<QTcpSocket*, QByteArray> m_pending;
    QSet<QTcpSocket*> m_answered;
};

TEST(MosquittoConnection, FallsBackToMqtt311ForAnOldBroker) {
    OldBroker broker;
    Client client;
    client.connection.open(local(broker.port(), "old"));
    ASSERT_TRUE(client.waitConnected());
    EXPECT_EQ(broker.levelsAsked, (QList<int>{5, 4}));
    EXPECT_EQ(client.states.back(), Connected);
}

} // namespace
