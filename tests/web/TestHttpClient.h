// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <chrono>
#include <functional>

// A client on a plain blocking socket, so a test can do what browsers and broken clients do:
// send part of a request, shut down its sending side, trickle bytes.
class TestHttpClient {
public:
    // Connects to 127.0.0.1:port from the loopback address `from` (any 127.x.y.z will do);
    // isConnected() tells whether it worked.
    explicit TestHttpClient(quint16 port, const char* from = "127.0.0.1");
    ~TestHttpClient();
    TestHttpClient(const TestHttpClient&) = delete;
    TestHttpClient& operator=(const TestHttpClient&) = delete;

    bool isConnected() const { return m_fd >= 0; }
    bool send(QByteArrayView bytes);
    void shutdownSending();
    void close();

    // What the server sent until it closed the connection (an orderly close or a reset), or
    // until the limit passed (closed stays false).
    struct Received {
        QByteArray bytes;
        bool closed = false;
    };
    Received readUntilClosed(std::chrono::milliseconds limit = std::chrono::seconds(5));
    // Whether anything (bytes or the close) arrives within the wait; takes nothing.
    bool hasNewsWithin(std::chrono::milliseconds wait);

private:
    int m_fd = -1;
};

// One request from `from` on a thread of its own while this thread serves its events, as the UI
// thread does in the program: the way to reach the management page, which answers on this thread.
TestHttpClient::Received exchangeServing(quint16 port, const QByteArray& request,
                                         const char* from = "127.0.0.1");

// Polls the condition every few milliseconds, for at most the limit.
bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds limit = std::chrono::seconds(5));

// A port nothing listens on right now (the system's choice, released again).
quint16 freePort();
