// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "home/MqttConnection.h"

#include <QElapsedTimer>
#include <QTimer>

#include <chrono>
#include <memory>

class QSocketNotifier;
struct MosquittoLink;
struct MosquittoAttempt;

// MqttConnection over libmosquitto, driven by the owning thread's event loop: socket notifiers
// for reading and writing, a one-second timer for keep-alive. Only the connect call, which may
// wait on DNS, TCP and TLS, runs on a pool thread; its result comes back as a queued call, and an
// attempt that is abandoned (closed, timed out, destroyed) frees itself on whichever side ends
// last. Destroying the object without close() drops the link as a crash would: the broker then
// publishes the will.
class MosquittoConnection final : public MqttConnection {
    Q_OBJECT
public:
    // Larger incoming messages are dropped unseen: nothing this program listens to comes near,
    // and a broker or a peer must not make it hold megabytes.
    static constexpr int MaxTopicBytes = 256;
    static constexpr int MaxPayloadBytes = 64 * 1024;

    explicit MosquittoConnection(QObject* parent = nullptr);
    ~MosquittoConnection() override;

    void open(const MqttEndpoint& endpoint) override;
    void close(const QList<MqttMessage>& farewell) override;
    bool publish(const MqttMessage& message) override;
    void subscribe(const QList<QByteArray>& filters) override;
    MqttLinkState state() const override { return m_state; }

    // The pause after the first failure, doubled after each further one up to `longest`; a
    // connection that stayed up for `lasting` starts the series again.
    void setRetryPauses(std::chrono::milliseconds first, std::chrono::milliseconds longest,
                        std::chrono::milliseconds lasting);
    // How long one attempt may take from the connect call to the broker's answer.
    void setAttemptTimeout(std::chrono::milliseconds timeout);

private:
    void startAttempt();
    void adopt(const std::shared_ptr<MosquittoAttempt>& attempt);
    // Handles what the last libmosquitto call reported; `rc` is its return code.
    void afterLoop(int rc, int error);
    // After a call of ours into the library outside its loop, which may have lost the link.
    void afterCall();
    QString attemptProblem(const MosquittoAttempt& attempt) const;
    void onBrokerAccepted();
    void failAttempt(const QString& problem);
    void dropLink();
    void updateWriteInterest();
    void setState(MqttLinkState::Phase phase, const QString& problem = {}, int retryIn = 0);
    QString hostAndPort() const;

    MqttEndpoint m_endpoint;
    bool m_open = false;
    // Falls to false for a broker that refuses MQTT 5, until the next open().
    bool m_mqtt5 = true;
    QList<QByteArray> m_filters;
    MqttLinkState m_state;

    std::shared_ptr<MosquittoAttempt> m_attempt;
    std::unique_ptr<MosquittoLink> m_link;
    bool m_accepted = false;
    // Bumped whenever the link is dropped, so a loop over reported events notices that a
    // signal's receiver closed or reopened the link.
    quint64 m_generation = 0;
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
    QTimer m_keepAliveTimer;
    QTimer m_attemptTimer;
    QTimer m_retryTimer;
    QElapsedTimer m_upFor;

    std::chrono::milliseconds m_firstPause{1000};
    std::chrono::milliseconds m_longestPause{60000};
    std::chrono::milliseconds m_lasting{60000};
    std::chrono::milliseconds m_pause{1000};
};

std::unique_ptr<MqttConnection> makeMosquittoConnection();
