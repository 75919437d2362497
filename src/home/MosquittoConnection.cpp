// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/MosquittoConnection.h"

#include "home/MosquittoLibrary.h"

#include <QPointer>
#include <QSocketNotifier>
#include <QThreadPool>

#include <cerrno>
#include <cstring>
#include <mosquitto.h>
#include <mqtt_protocol.h>
#include <mutex>
#include <optional>
#include <utility>

namespace {

const MosquittoLibrary& lib() {
    return MosquittoLibrary::get();
}

// Where libmosquitto's callbacks leave what they report: they run inside the library's calls,
// where emitting a signal whose receiver closes the link would free the library's own state.
struct LinkEvents {
    std::optional<int> connack;
    std::optional<int> disconnect;
    QList<MqttMessage> messages;
    QString tlsError;
};

// The pool for connect calls, set up once and torn down after every attempt has finished.
struct Process {
    QThreadPool connectors;

    // A host that drops packets holds a thread for the system's connect timeout (about two
    // minutes) after the attempt gave up on it; with pauses of up to a minute a connection
    // holds at most three.
    Process() { connectors.setMaxThreadCount(8); }

    static Process& get() {
        static Process process;
        return process;
    }
};

// The CA folder of Debian's ca-certificates, hashed for OpenSSL.
constexpr const char* SystemCaPath = "/etc/ssl/certs";
// Room in a packet beyond the topic and the payload: headers and MQTT 5 properties.
constexpr int PacketOverhead = 1024;

void onConnect(mosquitto*, void* events, int rc, int, const mosquitto_property*) {
    static_cast<LinkEvents*>(events)->connack = rc;
}

void onDisconnect(mosquitto*, void* events, int rc, const mosquitto_property*) {
    static_cast<LinkEvents*>(events)->disconnect = rc;
}

void onMessage(mosquitto*, void* events, const mosquitto_message* message,
               const mosquitto_property*) {
    const auto topicLength = std::strlen(message->topic);
    if (topicLength > MosquittoConnection::MaxTopicBytes ||
        message->payloadlen > MosquittoConnection::MaxPayloadBytes) {
        return;
    }
    static_cast<LinkEvents*>(events)->messages.append(
        {QByteArray(message->topic, static_cast<qsizetype>(topicLength)),
         QByteArray(static_cast<const char*>(message->payload), message->payloadlen),
         message->retain, message->qos});
}

// OpenSSL's reason reaches us only through the log: "OpenSSL Error[0]: error:0A000086:SSL
// routines::certificate verify failed". The first one is the cause, the rest follow from it.
void onLog(mosquitto*, void* events, int level, const char* text) {
    auto& recorded = static_cast<LinkEvents*>(events)->tlsError;
    const QByteArray line(text);
    if (level != MOSQ_LOG_ERR || !line.startsWith("OpenSSL Error") || !recorded.isEmpty()) {
        return;
    }
    recorded = QString::fromUtf8(line.mid(line.lastIndexOf(':') + 1)).trimmed();
}

// Brokers (mosquitto among them) answer "not authorised" to a wrong password as well, so what
// the person is told depends on whether a user name was sent.
QString refusalText(int code, bool mqtt5, bool withUser) {
    const bool authentication =
        mqtt5 ? code == MQTT_RC_BAD_USERNAME_OR_PASSWORD || code == MQTT_RC_NOT_AUTHORIZED
              : code == CONNACK_REFUSED_BAD_USERNAME_PASSWORD ||
                    code == CONNACK_REFUSED_NOT_AUTHORIZED;
    if (authentication) {
        return withUser ? QStringLiteral("wrong user name or password")
                        : QStringLiteral("the broker asks for a user name and password");
    }
    if (!mqtt5) {
        switch (code) {
        case CONNACK_REFUSED_PROTOCOL_VERSION:
            return QStringLiteral("the broker does not speak MQTT 3.1.1 or 5");
        case CONNACK_REFUSED_IDENTIFIER_REJECTED:
            return QStringLiteral("the broker refused the client id");
        case CONNACK_REFUSED_SERVER_UNAVAILABLE:
            return QStringLiteral("the broker is unavailable");
        default:
            return QStringLiteral("the broker refused the connection (code %1)").arg(code);
        }
    }
    switch (code) {
    case MQTT_RC_CLIENTID_NOT_VALID:
        return QStringLiteral("the broker refused the client id");
    case MQTT_RC_BANNED:
        return QStringLiteral("the broker has banned this client");
    case MQTT_RC_SERVER_UNAVAILABLE:
    case MQTT_RC_SERVER_BUSY:
        return QStringLiteral("the broker is unavailable");
    default:
        return QStringLiteral("the broker refused the connection: %1")
            .arg(QString::fromUtf8(lib().mosquitto_reason_string(code)));
    }
}

} // namespace

struct MosquittoLink {
    mosquitto* mosq = nullptr;
    LinkEvents events;

    MosquittoLink() = default;
    MosquittoLink(const MosquittoLink&) = delete;
    MosquittoLink& operator=(const MosquittoLink&) = delete;
    ~MosquittoLink() {
        if (mosq) {
            lib().mosquitto_destroy(mosq);
        }
    }
};

// One connect call on a pool thread. Whichever side lets go of it last frees the link: the
// owner when the result came back, the pool thread when the owner gave up on it first.
struct MosquittoAttempt {
    std::mutex mutex;
    bool abandoned = false;
    std::unique_ptr<MosquittoLink> link;
    int rc = MOSQ_ERR_SUCCESS;
    int error = 0;
    QString problem;
};

namespace {

void connectOnPoolThread(MosquittoAttempt& attempt, const MqttEndpoint& endpoint, bool mqtt5) {
    attempt.link = std::make_unique<MosquittoLink>();
    if (!lib().problem.isEmpty()) {
        attempt.rc = MOSQ_ERR_UNKNOWN;
        attempt.problem = lib().problem;
        return;
    }
    auto& link = *attempt.link;
    const QByteArray id = endpoint.clientId;
    link.mosq = lib().mosquitto_new(id.isEmpty() ? nullptr : id.constData(), true, &link.events);
    if (!link.mosq) {
        attempt.rc = MOSQ_ERR_NOMEM;
        return;
    }
    mosquitto* mosq = link.mosq;
    lib().mosquitto_int_option(mosq, MOSQ_OPT_PROTOCOL_VERSION,
                               mqtt5 ? MQTT_PROTOCOL_V5 : MQTT_PROTOCOL_V311);
    // Farewells are small and written just before the socket closes; no waiting for Nagle.
    lib().mosquitto_int_option(mosq, MOSQ_OPT_TCP_NODELAY, 1);
    lib().mosquitto_connect_v5_callback_set(mosq, onConnect);
    lib().mosquitto_disconnect_v5_callback_set(mosq, onDisconnect);
    lib().mosquitto_message_v5_callback_set(mosq, onMessage);
    lib().mosquitto_log_callback_set(mosq, onLog);

    if (!endpoint.user.isEmpty()) {
        lib().mosquitto_username_pw_set(mosq, endpoint.user.toUtf8().constData(),
                                        endpoint.password.toUtf8().constData());
    }
    const MqttMessage& will = endpoint.will;
    if (!will.topic.isEmpty()) {
        lib().mosquitto_will_set(mosq, will.topic.constData(),
                                 static_cast<int>(will.payload.size()), will.payload.constData(),
                                 will.qos, will.retain);
    }
    if (endpoint.tls) {
        const QByteArray caFile = endpoint.caFile.toLocal8Bit();
        const int rc = lib().mosquitto_tls_set(
            mosq, caFile.isEmpty() ? nullptr : caFile.constData(),
            caFile.isEmpty() ? SystemCaPath : nullptr, nullptr, nullptr, nullptr);
        if (rc != MOSQ_ERR_SUCCESS) {
            attempt.rc = rc;
            attempt.problem =
                QStringLiteral("TLS: cannot read the CA file %1").arg(endpoint.caFile);
            return;
        }
        lib().mosquitto_tls_opts_set(mosq, 1 /* SSL_VERIFY_PEER */, nullptr, nullptr);
        lib().mosquitto_tls_insecure_set(mosq, false);
    }

    const QByteArray host = endpoint.host.toUtf8();
    const int keepAlive = std::max(endpoint.keepAliveSeconds, 5);
    if (mqtt5) {
        // Asks the broker to drop what we would drop anyway instead of sending it.
        mosquitto_property* properties = nullptr;
        lib().mosquitto_property_add_int32(&properties, MQTT_PROP_MAXIMUM_PACKET_SIZE,
                                           MosquittoConnection::MaxTopicBytes +
                                               MosquittoConnection::MaxPayloadBytes +
                                               PacketOverhead);
        attempt.rc = lib().mosquitto_connect_bind_v5(mosq, host.constData(), endpoint.port,
                                                     keepAlive, nullptr, properties);
        attempt.error = errno;
        lib().mosquitto_property_free_all(&properties);
    } else {
        attempt.rc = lib().mosquitto_connect(mosq, host.constData(), endpoint.port, keepAlive);
        attempt.error = errno;
    }
}

} // namespace

MosquittoConnection::MosquittoConnection(QObject* parent)
    : MqttConnection(parent) {
    Process::get();
    m_keepAliveTimer.setInterval(1000);
    connect(&m_keepAliveTimer, &QTimer::timeout, this, [this] {
        const int rc = lib().mosquitto_loop_misc(m_link->mosq);
        afterLoop(rc, errno);
    });
    m_attemptTimer.setSingleShot(true);
    m_attemptTimer.setInterval(10000);
    connect(&m_attemptTimer, &QTimer::timeout, this, [this] {
        failAttempt(QStringLiteral("no answer from %1 within %2 s")
                        .arg(hostAndPort())
                        .arg((m_attemptTimer.interval() + 999) / 1000));
    });
    m_retryTimer.setSingleShot(true);
    connect(&m_retryTimer, &QTimer::timeout, this, [this] {
        setState(MqttLinkState::Phase::Retrying, m_state.problem);
        startAttempt();
    });
}

MosquittoConnection::~MosquittoConnection() {
    dropLink();
}

void MosquittoConnection::setRetryPauses(std::chrono::milliseconds first,
                                         std::chrono::milliseconds longest,
                                         std::chrono::milliseconds lasting) {
    m_firstPause = first;
    m_longestPause = longest;
    m_lasting = lasting;
    m_pause = first;
}

void MosquittoConnection::setAttemptTimeout(std::chrono::milliseconds timeout) {
    m_attemptTimer.setInterval(timeout);
}

void MosquittoConnection::open(const MqttEndpoint& endpoint) {
    dropLink();
    m_endpoint = endpoint;
    m_open = true;
    m_mqtt5 = true;
    m_pause = m_firstPause;
    setState(MqttLinkState::Phase::Connecting);
    startAttempt();
}

void MosquittoConnection::close(const QList<MqttMessage>& farewell) {
    if (m_link && m_accepted) {
        mosquitto* mosq = m_link->mosq;
        for (const MqttMessage& message : farewell) {
            lib().mosquitto_publish(mosq, nullptr, message.topic.constData(),
                                    static_cast<int>(message.payload.size()),
                                    message.payload.constData(), message.qos, message.retain);
        }
        lib().mosquitto_disconnect(mosq);
        // Without a thread of its own the library writes at once; this only pushes out what
        // a full socket buffer held back. Whatever still does not fit is lost, not waited for.
        if (lib().mosquitto_want_write(mosq)) {
            lib().mosquitto_loop_write(mosq, 1);
        }
    }
    m_open = false;
    dropLink();
    m_pause = m_firstPause;
    setState(MqttLinkState::Phase::Off);
}

bool MosquittoConnection::publish(const MqttMessage& message) {
    if (!m_link || !m_accepted) {
        return false;
    }
    const int rc = lib().mosquitto_publish(
        m_link->mosq, nullptr, message.topic.constData(), static_cast<int>(message.payload.size()),
        message.payload.constData(), message.qos, message.retain);
    afterCall();
    return rc == MOSQ_ERR_SUCCESS;
}

void MosquittoConnection::subscribe(const QList<QByteArray>& filters) {
    for (const QByteArray& filter : filters) {
        if (m_filters.contains(filter)) {
            continue;
        }
        m_filters.append(filter);
        if (m_link && m_accepted) {
            lib().mosquitto_subscribe(m_link->mosq, nullptr, filter.constData(), 1);
        }
    }
    if (m_link) {
        afterCall();
    }
}

void MosquittoConnection::startAttempt() {
    auto attempt = std::make_shared<MosquittoAttempt>();
    m_attempt = attempt;
    m_attemptTimer.start();
    Process::get().connectors.start(
        [this, attempt, endpoint = m_endpoint, mqtt5 = m_mqtt5]() mutable {
            connectOnPoolThread(*attempt, endpoint, mqtt5);
            {
                // The owner is alive while the attempt is not abandoned, and its destructor takes
                // the lock to abandon it; a call queued here and not yet run is dropped with it.
                const std::lock_guard lock(attempt->mutex);
                if (!attempt->abandoned) {
                    QMetaObject::invokeMethod(
                        this, [this, attempt] { adopt(attempt); }, Qt::QueuedConnection);
                }
            }
            // Frees the link now if the owner has let go of it already, so that OpenSSL's
            // per-thread state (error queue, random generator) is released after it: this Debian
            // build does not release it when a pool thread ends.
            attempt.reset();
            if (lib().OPENSSL_thread_stop)
                lib().OPENSSL_thread_stop();
        });
}

void MosquittoConnection::adopt(const std::shared_ptr<MosquittoAttempt>& attempt) {
    if (attempt != m_attempt) {
        return;
    }
    m_attempt.reset();
    if (attempt->rc != MOSQ_ERR_SUCCESS) {
        failAttempt(attemptProblem(*attempt));
        return;
    }
    m_link = std::move(attempt->link);
    const int socket = lib().mosquitto_socket(m_link->mosq);
    m_readNotifier = new QSocketNotifier(socket, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, [this] {
        const int rc = lib().mosquitto_loop_read(m_link->mosq, 1);
        afterLoop(rc, errno);
    });
    m_writeNotifier = new QSocketNotifier(socket, QSocketNotifier::Write, this);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, [this] {
        const int rc = lib().mosquitto_loop_write(m_link->mosq, 1);
        afterLoop(rc, errno);
    });
    m_keepAliveTimer.start();
    afterLoop(MOSQ_ERR_SUCCESS, 0);
}

QString MosquittoConnection::attemptProblem(const MosquittoAttempt& attempt) const {
    if (!attempt.problem.isEmpty()) {
        return attempt.problem;
    }
    if (attempt.rc == MOSQ_ERR_EAI) {
        return QStringLiteral("host not found: %1").arg(m_endpoint.host);
    }
    if (attempt.link && !attempt.link->events.tlsError.isEmpty()) {
        return QStringLiteral("TLS: %1").arg(attempt.link->events.tlsError);
    }
    if (attempt.rc == MOSQ_ERR_ERRNO && attempt.error == ECONNREFUSED) {
        return QStringLiteral("connection refused by %1").arg(hostAndPort());
    }
    if (attempt.rc == MOSQ_ERR_ERRNO) {
        return QStringLiteral("cannot reach %1: %2")
            .arg(hostAndPort(), QString::fromLocal8Bit(std::strerror(attempt.error)));
    }
    return QStringLiteral("cannot connect to %1: %2")
        .arg(hostAndPort(), QString::fromUtf8(lib().mosquitto_strerror(attempt.rc)));
}

void MosquittoConnection::afterLoop(int rc, int error) {
    if (!m_link) {
        return;
    }
    const QPointer<MosquittoConnection> alive(this);
    const quint64 generation = m_generation;
    const auto stillSame = [&] {
        return alive && generation == m_generation;
    };

    LinkEvents& events = m_link->events;
    const auto connack = std::exchange(events.connack, std::nullopt);
    const auto disconnect = std::exchange(events.disconnect, std::nullopt);
    const QList<MqttMessage> messages = std::exchange(events.messages, {});
    const QString tlsError = events.tlsError;

    if (connack && !m_accepted) {
        if (*connack != 0) {
            if (m_mqtt5 && *connack == MQTT_RC_UNSUPPORTED_PROTOCOL_VERSION) {
                // An MQTT 3.1.1 broker: ask it again in its own version, at once.
                m_mqtt5 = false;
                dropLink();
                startAttempt();
                return;
            }
            failAttempt(refusalText(*connack, m_mqtt5, !m_endpoint.user.isEmpty()));
            return;
        }
        onBrokerAccepted();
        if (!stillSame()) {
            return;
        }
    }
    for (const MqttMessage& message : messages) {
        emit messageArrived(message.topic, message.payload);
        if (!stillSame()) {
            return;
        }
    }
    // The callback's reason is the finer one: after a missed keep-alive the loop only says
    // that there is no connection.
    const int failure =
        disconnect.value_or(MOSQ_ERR_SUCCESS) != MOSQ_ERR_SUCCESS ? *disconnect : rc;
    if (failure == MOSQ_ERR_SUCCESS && lib().mosquitto_socket(m_link->mosq) >= 0) {
        updateWriteInterest();
        return;
    }
    if (!tlsError.isEmpty()) {
        failAttempt(QStringLiteral("TLS: %1").arg(tlsError));
    } else if (failure == MOSQ_ERR_KEEPALIVE) {
        failAttempt(QStringLiteral("the broker stopped answering"));
    } else if (!m_accepted && failure == MOSQ_ERR_ERRNO && error == ECONNREFUSED) {
        failAttempt(QStringLiteral("connection refused by %1").arg(hostAndPort()));
    } else if (failure == MOSQ_ERR_TLS || failure == MOSQ_ERR_TLS_HANDSHAKE) {
        failAttempt(QStringLiteral("TLS: the handshake failed"));
    } else if (failure == MOSQ_ERR_PROTOCOL || failure == MOSQ_ERR_MALFORMED_PACKET) {
        failAttempt(QStringLiteral("the broker broke the MQTT protocol"));
    } else {
        failAttempt(QStringLiteral("broker closed the connection"));
    }
}

void MosquittoConnection::onBrokerAccepted() {
    m_attemptTimer.stop();
    m_accepted = true;
    m_upFor.start();
    for (const QByteArray& filter : std::as_const(m_filters)) {
        lib().mosquitto_subscribe(m_link->mosq, nullptr, filter.constData(), 1);
    }
    const QPointer<MosquittoConnection> alive(this);
    const quint64 generation = m_generation;
    setState(MqttLinkState::Phase::Connected);
    if (alive && generation == m_generation) {
        emit connected();
    }
}

void MosquittoConnection::failAttempt(const QString& problem) {
    const bool lasted = m_accepted && m_upFor.elapsed() >= m_lasting.count();
    dropLink();
    if (!m_open) {
        return;
    }
    if (lasted) {
        m_pause = m_firstPause;
    }
    const auto pause = m_pause;
    m_pause = std::min(m_pause * 2, m_longestPause);
    m_retryTimer.start(pause);
    setState(MqttLinkState::Phase::Retrying, problem,
             static_cast<int>((pause.count() + 999) / 1000));
}

void MosquittoConnection::dropLink() {
    ++m_generation;
    if (m_attempt) {
        const std::lock_guard lock(m_attempt->mutex);
        m_attempt->abandoned = true;
    }
    m_attempt.reset();
    m_attemptTimer.stop();
    m_keepAliveTimer.stop();
    m_retryTimer.stop();
    // Deleted later: the link may be dropped from inside a notifier's own signal.
    for (QSocketNotifier** notifier : {&m_readNotifier, &m_writeNotifier}) {
        if (*notifier) {
            (*notifier)->setEnabled(false);
            (*notifier)->deleteLater();
            *notifier = nullptr;
        }
    }
    m_link.reset();
    m_accepted = false;
}

void MosquittoConnection::afterCall() {
    if (lib().mosquitto_socket(m_link->mosq) >= 0 && !m_link->events.disconnect) {
        updateWriteInterest();
        return;
    }
    // The call lost the link and closed its socket: stop watching a number the system may hand
    // out again, and say so from the event loop rather than from inside the caller's call.
    m_readNotifier->setEnabled(false);
    m_writeNotifier->setEnabled(false);
    QTimer::singleShot(0, this, [this, generation = m_generation] {
        if (generation == m_generation) {
            afterLoop(MOSQ_ERR_CONN_LOST, 0);
        }
    });
}

void MosquittoConnection::updateWriteInterest() {
    if (m_writeNotifier) {
        m_writeNotifier->setEnabled(lib().mosquitto_want_write(m_link->mosq));
    }
}

void MosquittoConnection::setState(MqttLinkState::Phase phase, const QString& problem,
                                   int retryIn) {
    const MqttLinkState next{phase, problem, retryIn};
    if (next == m_state) {
        return;
    }
    m_state = next;
    emit stateChanged(m_state);
}

QString MosquittoConnection::hostAndPort() const {
    return QStringLiteral("%1:%2").arg(m_endpoint.host).arg(m_endpoint.port);
}

std::unique_ptr<MqttConnection> makeMosquittoConnection() {
    return std::make_unique<MosquittoConnection>();
}
