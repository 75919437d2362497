// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/server/WebAccessServer.h"

#include "TestHttpClient.h"
#include "web/server/ListeningSocket.h"

#include <QSemaphore>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

// Written out rather than taken from the server's constant, so a change to it shows here.
const QByteArray Reply = "HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Type: text/html\r\n"
                         "Server: Murkwell\r\n\r\n";

struct Exchange {
    std::string name;
    QByteArray request;
    // Ends the request by shutting down the client's sending side, as a POST without
    // Content-Length must.
    bool halfClose = false;
};

// Small limits, so the cases over them need little traffic.
WebServerLimits smallLimits() {
    WebServerLimits limits;
    limits.request.maxHeaderLines = 5;
    limits.request.maxBodyBytes = 1000;
    return limits;
}

class WebAccessServerTest : public testing::Test {
protected:
    void startServer(WebServerLimits limits = smallLimits()) {
        m_server = std::make_unique<WebAccessServer>(limits);
        ASSERT_EQ(m_server->start(0), QString());
        ASSERT_TRUE(m_server->isRunning());
        ASSERT_NE(m_server->port(), 0);
    }

    TestHttpClient::Received exchange(const Exchange& e) {
        TestHttpClient client(m_server->port());
        EXPECT_TRUE(client.isConnected());
        client.send(e.request);
        if (e.halfClose)
            client.shutdownSending();
        return client.readUntilClosed();
    }

    std::unique_ptr<WebAccessServer> m_server;
};

TEST_F(WebAccessServerTest, AcceptedRequestsGetExactlyTheEmptySuccessReply) {
    startServer();
    const std::vector<Exchange> exchanges = {
        {"get_root", "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"},
        {"get_any_path", "GET /manage/x?y=1 HTTP/1.1\r\n\r\n"},
        {"head", "HEAD /manage HTTP/1.1\r\n\r\n"},
        {"lowercase_get_lf_only", "get / HTTP/1.0\n\n"},
        {"post_with_length", "POST /manage HTTP/1.1\r\nContent-Length: 7\r\n\r\nghost=1"},
        {"post_until_half_close", "POST /manage HTTP/1.1\r\n\r\nghost=1&on=0", true},
        {"post_empty_until_half_close", "POST / HTTP/1.1\r\n\r\n", true},
        {"basic_authorization", "GET / HTTP/1.1\r\nAuthorization: Basic dXNlcjox\r\n\r\n"},
    };
    for (const Exchange& e : exchanges) {
        const TestHttpClient::Received received = exchange(e);
        EXPECT_TRUE(received.closed) << e.name;
        EXPECT_EQ(received.bytes, Reply) << e.name;
    }
}

TEST_F(WebAccessServerTest, RefusedRequestsAreClosedWithNothingWritten) {
    startServer();
    const std::vector<Exchange> exchanges = {
        {"put", "PUT / HTTP/1.1\r\nContent-Length: 2\r\n\r\nab"},
        {"options", "OPTIONS * HTTP/1.1\r\n\r\n"},
        {"request_line_without_blank", "GET\r\n\r\n"},
        {"over_long_line", QByteArray(16385, 'a') + "\r\n\r\n"},
        {"over_long_header_line", "GET / HTTP/1.1\r\nX: " + QByteArray(16385, 'b') + "\r\n\r\n"},
        {"bearer_authorization", "GET / HTTP/1.1\r\nAuthorization: Bearer abc\r\n\r\n"},
        {"too_many_header_lines",
         "GET / HTTP/1.1\r\na:1\r\nb:2\r\nc:3\r\nd:4\r\ne:5\r\nf:6\r\n\r\n"},
        {"length_over_body_cap", "POST / HTTP/1.1\r\nContent-Length: 1001\r\n\r\n"},
        {"body_until_half_close_over_cap", "POST / HTTP/1.1\r\n\r\n" + QByteArray(1001, 'x'), true},
        {"client_ends_before_the_headers_do", "GET / HTTP/1.1\r\nHost: a\r\n", true},
    };
    for (const Exchange& e : exchanges) {
        const TestHttpClient::Received received = exchange(e);
        EXPECT_TRUE(received.closed) << e.name;
        EXPECT_EQ(received.bytes, QByteArray()) << e.name;
    }
    // Refusals end only their own connection.
    EXPECT_EQ(exchange({"get_after", "GET / HTTP/1.1\r\n\r\n"}).bytes, Reply);
}

TEST_F(WebAccessServerTest, APostWithoutLengthIsAnsweredOnlyAfterTheClientHalfCloses) {
    startServer();
    TestHttpClient client(m_server->port());
    client.send("POST / HTTP/1.1\r\n\r\npart one");
    client.send(" and part two");
    // The body may go on: nothing may come back yet.
    EXPECT_FALSE(client.hasNewsWithin(200ms));
    client.shutdownSending();
    const TestHttpClient::Received received = client.readUntilClosed();
    EXPECT_TRUE(received.closed);
    EXPECT_EQ(received.bytes, Reply);
}

TEST(WebAccessServer, ATakenPortGivesTheBindMessageAndStaysStopped) {
    const UniqueFd taken = openListeningSocket(0, 1);
    ASSERT_TRUE(taken.isValid());
    WebAccessServer server;
    for (const int port : {int(boundPort(taken.get())), -1, 65536, 70000}) {
        EXPECT_EQ(server.start(port), WebAccessServer::BindFailedMessage) << port;
        EXPECT_FALSE(server.isRunning());
        EXPECT_EQ(server.port(), 0);
    }
    EXPECT_EQ(server.stop(), QString());
}

TEST(WebAccessServer, StopThenStartListensOnTheNewPort) {
    WebAccessServer server;
    const quint16 first = freePort();
    ASSERT_EQ(server.start(first), QString());
    EXPECT_EQ(server.port(), first);
    {
        TestHttpClient client(first);
        client.send("GET / HTTP/1.1\r\n\r\n");
        EXPECT_EQ(client.readUntilClosed().bytes, Reply);
    }
    EXPECT_EQ(server.stop(), QString());
    EXPECT_FALSE(server.isRunning());
    EXPECT_FALSE(TestHttpClient(first).isConnected());

    quint16 second = freePort();
    while (second == first)
        second = freePort();
    ASSERT_EQ(server.start(second), QString());
    EXPECT_FALSE(TestHttpClient(first).isConnected());
    TestHttpClient client(second);
    client.send("HEAD / HTTP/1.1\r\n\r\n");
    EXPECT_EQ(client.readUntilClosed().bytes, Reply);

    // And back on the first port at once, although its last connection may linger in TIME_WAIT.
    EXPECT_EQ(server.stop(), QString());
    ASSERT_EQ(server.start(first), QString());
    TestHttpClient again(first);
    again.send("GET / HTTP/1.1\r\n\r\n");
    EXPECT_EQ(again.readUntilClosed().bytes, Reply);
}

TEST(WebAccessServer, StopAndDestructionCloseEveryOpenConnection) {
    for (const bool destroy : {false, true}) {
        auto server = std::make_unique<WebAccessServer>();
        std::atomic<int> open = 0;
        QObject::connect(
            server.get(), &WebAccessServer::openConnectionsChanged, server.get(),
            [&open](int n) { open = n; }, Qt::DirectConnection);
        ASSERT_EQ(server->start(0), QString());
        std::vector<std::unique_ptr<TestHttpClient>> clients;
        for (int i = 0; i < 3; ++i) {
            clients.push_back(std::make_unique<TestHttpClient>(server->port()));
            clients.back()->send("GET / HTTP/1.1\r\nHost: half");
        }
        ASSERT_TRUE(waitUntil([&] { return open == 3; }));
        if (destroy)
            server.reset();
        else
            EXPECT_EQ(server->stop(), QString());
        for (auto& client : clients) {
            const TestHttpClient::Received received = client->readUntilClosed();
            EXPECT_TRUE(received.closed) << (destroy ? "destroyed" : "stopped");
            EXPECT_EQ(received.bytes, QByteArray());
        }
    }
}

TEST(WebAccessServer, StopIsSafeWhileRequestsAreInFlight) {
    WebAccessServer server;
    for (int round = 0; round < 20; ++round) {
        ASSERT_EQ(server.start(0), QString());
        const quint16 port = server.port();
        std::atomic<bool> go = true;
        std::vector<std::thread> clients;
        for (int c = 0; c < 4; ++c) {
            clients.emplace_back([port, &go] {
                while (go) {
                    TestHttpClient client(port);
                    if (!client.isConnected())
                        return;
                    client.send("POST / HTTP/1.1\r\nContent-Length: 3\r\n\r\n");
                    client.send("abc");
                    client.readUntilClosed(1s);
                }
            });
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(round % 5));
        EXPECT_EQ(server.stop(), QString());
        go = false;
        for (std::thread& t : clients)
            t.join();
    }
}

TEST(WebAccessServer, ASlowClientIsClosedAtItsDeadlineWhileOthersAreServed) {
    WebServerLimits limits;
    limits.requestDeadline = 400ms;
    WebAccessServer server(limits);
    ASSERT_EQ(server.start(0), QString());

    const auto connected = std::chrono::steady_clock::now();
    TestHttpClient slow(server.port());
    std::atomic<bool> closed = false;
    std::thread trickle([&slow, &closed] {
        const QByteArray request = "GET / HTTP/1.1\r\nHost: a-very-slow-client\r\n\r\n";
        for (const char c : request) {
            if (closed || !slow.send(QByteArrayView(&c, 1)))
                return;
            std::this_thread::sleep_for(30ms);
        }
    });
    TestHttpClient quick(server.port());
    quick.send("GET / HTTP/1.1\r\n\r\n");
    EXPECT_EQ(quick.readUntilClosed().bytes, Reply);

    const TestHttpClient::Received received = slow.readUntilClosed();
    const auto lasted = std::chrono::steady_clock::now() - connected;
    closed = true;
    trickle.join();
    EXPECT_TRUE(received.closed);
    EXPECT_EQ(received.bytes, QByteArray());
    EXPECT_GE(lasted, limits.requestDeadline);
}

TEST(WebAccessServer, ClientsBeyondTheCapWaitUntilAnOpenConnectionEnds) {
    WebServerLimits limits;
    limits.maxOpenConnections = 2;
    WebAccessServer server(limits);
    std::atomic<int> open = 0;
    std::atomic<int> peak = 0;
    QObject::connect(
        &server, &WebAccessServer::openConnectionsChanged, &server,
        [&](int n) {
            open = n;
            peak = std::max(peak.load(), n);
        },
        Qt::DirectConnection);
    ASSERT_EQ(server.start(0), QString());

    // Two clients hold their connections open: their POST bodies end only when they say so.
    TestHttpClient first(server.port());
    TestHttpClient second(server.port());
    first.send("POST / HTTP/1.1\r\n\r\nheld");
    second.send("POST / HTTP/1.1\r\n\r\nheld");
    ASSERT_TRUE(waitUntil([&] { return open == 2; }));

    std::vector<std::unique_ptr<TestHttpClient>> waiting;
    for (int i = 0; i < 4; ++i) {
        waiting.push_back(std::make_unique<TestHttpClient>(server.port()));
        ASSERT_TRUE(waiting.back()->isConnected()) << "the backlog takes them";
        waiting.back()->send("GET / HTTP/1.1\r\n\r\n");
    }
    EXPECT_FALSE(waiting.front()->hasNewsWithin(300ms));
    EXPECT_EQ(open, 2);

    first.shutdownSending();
    EXPECT_EQ(first.readUntilClosed().bytes, Reply);
    for (auto& client : waiting) {
        const TestHttpClient::Received received = client->readUntilClosed();
        EXPECT_TRUE(received.closed);
        EXPECT_EQ(received.bytes, Reply);
    }
    second.shutdownSending();
    EXPECT_EQ(second.readUntilClosed().bytes, Reply);
    EXPECT_TRUE(waitUntil([&] { return open == 0; }));
    EXPECT_EQ(peak, 2);
}

TEST(WebAccessServer, AStopThatCannotEndTheServerThreadReportsItAndStopsAnyway) {
    WebServerLimits limits;
    limits.stopTimeout = 200ms;
    WebAccessServer server(limits);
    // A receiver on the server's own thread that blocks there: the thread cannot quit until it
    // returns.
    QSemaphore entered;
    QSemaphore release;
    std::atomic<bool> blocked = false;
    QObject::connect(
        &server, &WebAccessServer::openConnectionsChanged, &server,
        [&](int open) {
            if (open == 1 && !blocked.exchange(true)) {
                entered.release();
                release.acquire();
            }
        },
        Qt::DirectConnection);
    ASSERT_EQ(server.start(0), QString());
    TestHttpClient stuck(server.port());
    ASSERT_TRUE(entered.tryAcquire(1, 5000));

    EXPECT_EQ(server.stop(), WebAccessServer::StopTimeoutMessage);
    EXPECT_FALSE(server.isRunning());
    EXPECT_EQ(server.port(), 0);

    release.release();
    // The abandoned thread still ends on its own and closes what it held.
    EXPECT_TRUE(stuck.readUntilClosed().closed);
    ASSERT_EQ(server.start(0), QString());
    TestHttpClient client(server.port());
    client.send("GET / HTTP/1.1\r\n\r\n");
    EXPECT_EQ(client.readUntilClosed().bytes, Reply);
}

} // namespace

namespace {

struct DeadlineCase {
    std::string name;
    QByteArray first;
    QByteArray later; // sent once the headers' deadline has passed
    bool halfClose;   // after `later`
    bool replied;
    std::chrono::milliseconds lastsAtLeast;
};

TEST(WebAccessServer, TheRequestLineAndHeadersHaveAShortDeadlineOfTheirOwn) {
    WebServerLimits limits;
    limits.headerDeadline = 300ms;
    limits.requestDeadline = 2s;
    const std::vector<DeadlineCase> cases = {
        {"headers_trickled_past_their_deadline", "GET / HTTP/1.1\r\nHost: a", "\r\n\r\n", false,
         false, limits.headerDeadline},
        {"body_after_the_headers_deadline", "POST / HTTP/1.1\r\nContent-Length: 4\r\n\r\n", "body",
         false, true, 0ms},
        {"body_until_half_close_after_it", "POST / HTTP/1.1\r\n\r\nbo", "dy", true, true, 0ms},
    };
    for (const DeadlineCase& c : cases) {
        WebAccessServer server(limits);
        ASSERT_EQ(server.start(0), QString());
        const auto connected = std::chrono::steady_clock::now();
        TestHttpClient client(server.port());
        client.send(c.first);
        std::this_thread::sleep_for(2 * limits.headerDeadline);
        client.send(c.later);
        if (c.halfClose)
            client.shutdownSending();
        const TestHttpClient::Received received = client.readUntilClosed();
        EXPECT_TRUE(received.closed) << c.name;
        EXPECT_EQ(received.bytes, c.replied ? Reply : QByteArray()) << c.name;
        EXPECT_GE(std::chrono::steady_clock::now() - connected, c.lastsAtLeast) << c.name;
    }
}

struct ShareCase {
    std::string name;
    bool oneHeldEndsFirst;
    const char* newFrom;
    bool served;
};

TEST(WebAccessServer, EachAddressHoldsAtMostItsShareOfTheConnections) {
    WebServerLimits limits;
    limits.maxConnectionsPerAddress = 2;
    const std::vector<ShareCase> cases = {
        {"one_over_the_share", false, "127.0.0.1", false},
        {"another_address", false, "127.0.0.2", true},
        {"a_place_freed", true, "127.0.0.1", true},
    };
    for (const ShareCase& c : cases) {
        WebAccessServer server(limits);
        ASSERT_EQ(server.start(0), QString());
        // Accepted in the order they connected, both from 127.0.0.1 hold their places: a POST
        // body without length goes on until the client says so.
        TestHttpClient first(server.port());
        TestHttpClient second(server.port());
        for (TestHttpClient* held : {&first, &second})
            held->send("POST / HTTP/1.1\r\n\r\nheld");
        if (c.oneHeldEndsFirst) {
            first.shutdownSending();
            EXPECT_EQ(first.readUntilClosed().bytes, Reply) << c.name;
        }
        TestHttpClient client(server.port(), c.newFrom);
        ASSERT_TRUE(client.isConnected()) << c.name;
        client.send("GET / HTTP/1.1\r\n\r\n");
        const TestHttpClient::Received received = client.readUntilClosed();
        EXPECT_TRUE(received.closed) << c.name;
        EXPECT_EQ(received.bytes, c.served ? Reply : QByteArray()) << c.name;
    }
}

} // namespace
