// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/MosquittoConnection.h"

#include "MosquittoBroker.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

using namespace std::chrono_literals;
using Phase = MqttLinkState::Phase;

namespace {

MqttEndpoint local(quint16 port, const QByteArray& clientId) {
    MqttEndpoint endpoint;
    endpoint.host = QStringLiteral("127.0.0.1");
    endpoint.port = port;
    endpoint.clientId = clientId;
    return endpoint;
}

// Table rows print as their names when a case fails.
template <class Case>
requires requires(const Case& row) {
    row.name;
}
void PrintTo(const Case& row, std::ostream* out) {
    *out << row.name;
}

// A connection with short pauses, and what it said.
struct Client {
    MosquittoConnection connection;
    QList<MqttMessage> received;
    int connects = 0;

    Client() {
        connection.setRetryPauses(50ms, 200ms, 60s);
        QObject::connect(&connection, &MqttConnection::connected, [this] { ++connects; });
        QObject::connect(&connection, &MqttConnection::messageArrived,
                         [this](const QByteArray& topic, const QByteArray& payload) {
                             received.append({topic, payload});
                         });
    }
    bool waitConnected(int times = 1) {
        return QTest::qWaitFor([&] { return connects >= times; }, 5000);
    }
    bool waitPhase(Phase phase) {
        return QTest::qWaitFor([&] { return connection.state().phase == phase; }, 5000);
    }
    bool waitFor(const QByteArray& topic, const QByteArray& payload) {
        return QTest::qWaitFor([&] { return received.contains({topic, payload}); }, 5000);
    }
};

struct SizeCase {
    const char* name;
    int topicBytes;
    int payloadBytes;
    bool delivered;
};

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

    const MqttMessage probe{"t/" + QByteArray(GetParam().topicBytes - 2, 'a'),
                            QByteArray(GetParam().payloadBytes, 'p')};
    ASSERT_TRUE(sender.connection.publish(probe));
    // Messages of one sender arrive in order: once the marker is in, the probe is too or never.
    ASSERT_TRUE(sender.connection.publish({"marker", "end"}));
    ASSERT_TRUE(receiver.waitFor("marker", "end"));
    EXPECT_EQ(receiver.received.contains(probe), GetParam().delivered);
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

// A CA, a certificate it signed for "localhost", and a second CA that signed nothing here.
constexpr const char* MakeCertificates = R"(set -e
key="-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes"
openssl req -x509 -days 1 -subj /CN=ca $key -keyout ca.key -out ca.crt
openssl req -x509 -days 1 -subj /CN=other $key -keyout other.key -out other.crt
openssl req -subj /CN=localhost $key -keyout server.key -out server.csr
echo subjectAltName=DNS:localhost > server.ext
openssl x509 -req -days 1 -in server.csr -CA ca.crt -CAkey ca.key -CAcreateserial \
    -extfile server.ext -out server.crt)";

// The broker's setup, made in its folder; empty when it could.
QString prepare(MosquittoBroker& broker, bool users, bool tls) {
    QProcess script;
    script.setWorkingDirectory(broker.filePath({}));
    script.setProcessChannelMode(QProcess::MergedChannels);
    script.start(QStringLiteral("/bin/sh"),
                 {QStringLiteral("-c"), QString::fromLatin1(MakeCertificates) +
                                            "\nmosquitto_passwd -b -c passwords house right"});
    if (!script.waitForFinished(20000) || script.exitCode() != 0) {
        return QString::fromLocal8Bit(script.readAll()) + script.errorString();
    }
    QString config = users ? QStringLiteral("allow_anonymous false\npassword_file %1/passwords\n")
                           : QStringLiteral("allow_anonymous true\n");
    if (tls) {
        config += QStringLiteral("cafile %1/ca.crt\ncertfile %1/server.crt\n"
                                 "keyfile %1/server.key\n");
    }
    return broker.startWithConfig(config.arg(broker.filePath({})));
}

enum class Peer { Nobody, Broker, BrokerWithUsers, BrokerWithTls, Silent };

struct AttemptCase {
    const char* name;
    Peer peer;
    const char* host = "127.0.0.1";
    const char* user = "";
    const char* password = "";
    // In the broker's folder; empty: the system's certificates. Only with `tls`.
    const char* caFile = "";
    bool tls = false;
    // Empty: connects. %1 is host:port, %2 the broker's folder.
    const char* problem = "";
};

class Attempts : public ::testing::TestWithParam<AttemptCase> {};

TEST_P(Attempts, ConnectOrSayWhyNot) {
    const AttemptCase& test = GetParam();
    MosquittoBroker broker;
    QTcpServer silent; // takes the connection and never answers
    quint16 port = broker.port();
    if (test.peer == Peer::Silent) {
        ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
        port = silent.serverPort();
    } else if (test.peer != Peer::Nobody) {
        ASSERT_EQ(
            prepare(broker, test.peer == Peer::BrokerWithUsers, test.peer == Peer::BrokerWithTls),
            QString());
    }
    Client client;
    client.connection.setAttemptTimeout(300ms);
    MqttEndpoint endpoint = local(port, "attempt");
    endpoint.host = QString::fromLatin1(test.host);
    endpoint.user = QString::fromLatin1(test.user);
    endpoint.password = QString::fromLatin1(test.password);
    endpoint.tls = test.tls;
    endpoint.caFile = *test.caFile ? broker.filePath(QString::fromLatin1(test.caFile)) : QString();
    client.connection.open(endpoint);

    ASSERT_TRUE(
        QTest::qWaitFor([&] { return client.connection.state().phase > Phase::Connecting; }, 5000));
    const MqttLinkState state = client.connection.state();
    const QString where = QStringLiteral("%1:%2").arg(endpoint.host).arg(port);
    EXPECT_EQ(state.problem.toStdString(), QString::fromLatin1(test.problem)
                                               .replace("%1", where)
                                               .replace("%2", broker.filePath({}))
                                               .toStdString());
    EXPECT_EQ(state.retryInSeconds >= 1, *test.problem != 0);
    EXPECT_EQ(client.connection.publish({"t", "p"}), !*test.problem);
    EXPECT_EQ(client.connects, *test.problem ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Mosquitto, Attempts,
    ::testing::Values(
        AttemptCase{.name = "refused", .peer = Peer::Nobody, .problem = "connection refused by %1"},
        AttemptCase{.name = "unknown_host",
                    .peer = Peer::Nobody,
                    .host = "no-such-host.invalid",
                    .problem = "host not found: no-such-host.invalid"},
        AttemptCase{
            .name = "no_answer", .peer = Peer::Silent, .problem = "no answer from %1 within 1 s"},
        AttemptCase{.name = "right_password",
                    .peer = Peer::BrokerWithUsers,
                    .user = "house",
                    .password = "right"},
        AttemptCase{.name = "wrong_password",
                    .peer = Peer::BrokerWithUsers,
                    .user = "house",
                    .password = "wrong",
                    .problem = "wrong user name or password"},
        AttemptCase{.name = "unknown_user",
                    .peer = Peer::BrokerWithUsers,
                    .user = "guest",
                    .password = "right",
                    .problem = "wrong user name or password"},
        AttemptCase{.name = "no_user",
                    .peer = Peer::BrokerWithUsers,
                    .problem = "the broker asks for a user name and password"},
        AttemptCase{.name = "tls_trusted",
                    .peer = Peer::BrokerWithTls,
                    .host = "localhost",
                    .caFile = "ca.crt",
                    .tls = true},
        AttemptCase{.name = "tls_other_ca",
                    .peer = Peer::BrokerWithTls,
                    .host = "localhost",
                    .caFile = "other.crt",
                    .tls = true,
                    .problem = "TLS: certificate verify failed"},
        AttemptCase{.name = "tls_system_cas",
                    .peer = Peer::BrokerWithTls,
                    .host = "localhost",
                    .tls = true,
                    .problem = "TLS: certificate verify failed"},
        AttemptCase{.name = "tls_wrong_name",
                    .peer = Peer::BrokerWithTls,
                    .caFile = "ca.crt",
                    .tls = true,
                    .problem = "TLS: certificate verify failed"},
        AttemptCase{.name = "tls_no_ca_file",
                    .peer = Peer::BrokerWithTls,
                    .host = "localhost",
                    .caFile = "missing.crt",
                    .tls = true,
                    .problem = "TLS: cannot read the CA file %2/missing.crt"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(MosquittoConnection, FollowsTheBrokerAcrossRestartsAndSubscribesAgain) {
    MosquittoBroker broker;
    Client sender;
    Client receiver;
    receiver.connection.subscribe({"home/+/set"});
    sender.connection.open(local(broker.port(), "sender"));
    receiver.connection.open(local(broker.port(), "receiver"));
    ASSERT_TRUE(receiver.waitPhase(Phase::Retrying));
    ASSERT_EQ(broker.start(), QString());
    ASSERT_TRUE(sender.waitConnected() && receiver.waitConnected());
    ASSERT_TRUE(sender.connection.publish({"home/lamp/set", "ON"}));
    ASSERT_TRUE(receiver.waitFor("home/lamp/set", "ON"));

    broker.stop();
    ASSERT_TRUE(receiver.waitPhase(Phase::Retrying));
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
    ASSERT_TRUE(QTest::qWaitFor([&] { return holder.readAll().contains("connected"); }, 5000))
        << holder.errorString().toStdString();
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
    EXPECT_TRUE(observer.received.contains({"home/status", "closed"}));
    EXPECT_FALSE(observer.received.contains({"home/status", "offline"}));
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
    // Closed after the pool thread had queued its result.
    Client overtaken;
    overtaken.connection.open(local(broker.port(), "overtaken"));
    QThread::msleep(300);
    overtaken.connection.close({});

    Client later;
    later.connection.open(local(broker.port(), "later"));
    ASSERT_TRUE(later.waitConnected());
    QTest::qWait(100);
    for (Client* client : {&closed, &overtaken}) {
        EXPECT_EQ(client->connects, 0);
        EXPECT_EQ(client->connection.state(), MqttLinkState{});
    }
}

// A broker that answers CONNECT only: it refuses protocol levels above `newestLevel` the way old
// brokers do, and may hang up right after accepting.
class FakeBroker : public QObject {
public:
    QList<int> levelsAsked;

    FakeBroker(int newestLevel, bool hangsUp) {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [=, this] {
            QTcpSocket* socket = m_server.nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, this, [=, this] {
                // Type, a one-byte length, the protocol name "MQTT" with its length, the level.
                if (socket->bytesAvailable() < 9 || socket->property("answered").toBool()) {
                    return;
                }
                socket->setProperty("answered", true);
                const int level = socket->readAll().at(8);
                levelsAsked.append(level);
                const bool known = level <= newestLevel;
                // MQTT 5's CONNACK ends with an empty property list.
                socket->write(QByteArray::fromHex(!known       ? "20020001"
                                                  : level == 5 ? "2003000000"
                                                               : "20020000"));
                if (!known || hangsUp) {
                    socket->disconnectFromHost();
                }
            });
        });
    }
    quint16 port() const { return m_server.serverPort(); }

private:
    QTcpServer m_server;
};

TEST(MosquittoConnection, FallsBackToMqtt311ForAnOldBroker) {
    FakeBroker broker(4, false);
    Client client;
    client.connection.open(local(broker.port(), "old"));
    ASSERT_TRUE(client.waitConnected());
    EXPECT_EQ(broker.levelsAsked, (QList<int>{5, 4}));
    EXPECT_EQ(client.connection.state().phase, Phase::Connected);
}

struct PauseCase {
    const char* name;
    std::chrono::milliseconds longest;
    // How long a connection must stay up to start the pauses again.
    std::chrono::milliseconds lasting;
    int fewestAttempts;
    int mostAttempts;
};

class RetryPauses : public ::testing::TestWithParam<PauseCase> {};

TEST_P(RetryPauses, GrowUntilAConnectionLasts) {
    // A broker that hangs up at once. In 2.4 s fit about 8 attempts with pauses of 50, 100,
    // 200, 400, 400 ms; about 22 with 50, 100, 100, ... ms; about 40 with the pause back at
    // 50 ms after each connection. The bounds leave room for a slow, loaded machine.
    FakeBroker broker(5, true);
    Client client;
    client.connection.setRetryPauses(50ms, GetParam().longest, GetParam().lasting);
    client.connection.open(local(broker.port(), "flaky"));
    QTest::qWait(2400);
    EXPECT_GE(broker.levelsAsked.size(), GetParam().fewestAttempts);
    EXPECT_LE(broker.levelsAsked.size(), GetParam().mostAttempts);
    EXPECT_EQ(client.connection.state().problem, QStringLiteral("broker closed the connection"));
}

INSTANTIATE_TEST_SUITE_P(Fake, RetryPauses,
                         ::testing::Values(PauseCase{"short_connections", 400ms, 60s, 4, 10},
                                           PauseCase{"short_pauses", 100ms, 60s, 11, 30},
                                           PauseCase{"lasting_connections", 400ms, 0ms, 12, 80}),
                         [](const auto& param) { return std::string(param.param.name); });

} // namespace
