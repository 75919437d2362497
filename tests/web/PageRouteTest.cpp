// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestHttpClient.h"
#include "web/server/PageHandler.h"
#include "web/server/WebAccessServer.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <future>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

const QByteArray EmptyReply = "HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Type: text/html\r\n"
                              "Server: Murkwell\r\n\r\n";
const QByteArray PageReplyBytes = "HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\npage";

// Answers every page request with the same bytes and keeps what it was asked.
class RecordingPage : public PageHandler {
public:
    QString name = QStringLiteral("manage");
    std::vector<PageRequest> requests;
    std::thread::id answeredOn;

    QString pageName() const override { return name; }
    QByteArray answer(const PageRequest& request) override {
        requests.push_back(request);
        answeredOn = std::this_thread::get_id();
        return PageReplyBytes;
    }
};

class PageRouteTest : public testing::Test {
protected:
    void start(WebServerLimits limits = {}) {
        server = std::make_unique<WebAccessServer>(limits);
        server->setPageHandler(&page);
        ASSERT_EQ(server->start(0), QString());
    }

    RecordingPage page;
    std::unique_ptr<WebAccessServer> server;
};

struct RouteCase {
    std::string name;
    QByteArray request;
    bool isPage;
};

TEST_F(PageRouteTest, OnlyThePagesExactPathReachesThePageOnTheOwnersThread) {
    page.name = QStringLiteral("manage");
    start();
    const std::vector<RouteCase> cases = {
        {"page", "GET /manage HTTP/1.1\r\n\r\n", true},
        {"page_escaped", "GET /man%61ge HTTP/1.1\r\n\r\n", true},
        {"page_head", "HEAD /manage HTTP/1.1\r\n\r\n", true},
        {"page_post", "POST /manage HTTP/1.1\r\nContent-Length: 4\r\n\r\non=1", true},
        {"root", "GET / HTTP/1.1\r\n\r\n", false},
        {"trailing_slash", "GET /manage/ HTTP/1.1\r\n\r\n", false},
        {"query", "GET /manage?x=1 HTTP/1.1\r\n\r\n", false},
        {"other_case", "GET /Manage HTTP/1.1\r\n\r\n", false},
        {"prefix", "GET /manag HTTP/1.1\r\n\r\n", false},
        {"longer", "GET /manager HTTP/1.1\r\n\r\n", false},
        {"no_slash", "GET manage HTTP/1.1\r\n\r\n", false},
        {"absolute_form", "GET http://127.0.0.1/manage HTTP/1.1\r\n\r\n", false},
    };
    for (const RouteCase& c : cases) {
        const size_t asked = page.requests.size();
        const TestHttpClient::Received received = exchangeServing(server->port(), c.request);
        EXPECT_TRUE(received.closed) << c.name;
        EXPECT_EQ(received.bytes, c.isPage ? PageReplyBytes : EmptyReply) << c.name;
        EXPECT_EQ(page.requests.size(), asked + (c.isPage ? 1 : 0)) << c.name;
    }
    EXPECT_EQ(page.answeredOn, std::this_thread::get_id());
}

TEST_F(PageRouteTest, ThePageGetsTheMethodCredentialsBodyAndAddress) {
    start();
    exchangeServing(server->port(), "post /manage HTTP/1.1\r\nAuthorization: Basic dXNlcjox\r\n"
                                    "Content-Length: 12\r\n\r\nghost=1&on=1");
    ASSERT_EQ(page.requests.size(), 1u);
    const PageRequest& request = page.requests.front();
    EXPECT_EQ(request.method, "post");
    EXPECT_EQ(request.authorization, "Basic dXNlcjox");
    EXPECT_EQ(request.body, "ghost=1&on=1");
    EXPECT_FALSE(request.bodyCut);
    EXPECT_EQ(request.peerAddress, 0x7F000001u);
}

TEST_F(PageRouteTest, AnOverlongBodyReachesThePageCutAndMarked) {
    WebServerLimits limits;
    limits.request.maxKeptBodyBytes = 8;
    start(limits);
    exchangeServing(server->port(),
                    "POST /manage HTTP/1.1\r\nContent-Length: 12\r\n\r\ntoken=abcdef");
    ASSERT_EQ(page.requests.size(), 1u);
    EXPECT_EQ(page.requests.front().body, "token=ab");
    EXPECT_TRUE(page.requests.front().bodyCut);
}

TEST_F(PageRouteTest, AStopWhileAPageRequestWaitsEndsAtOnceAndNothingIsAnsweredLater) {
    WebServerLimits limits;
    limits.stopTimeout = 3s;
    start(limits);
    std::future<TestHttpClient::Received> received =
        std::async(std::launch::async, [port = server->port()] {
            TestHttpClient client(port);
            client.send("POST /manage HTTP/1.1\r\nContent-Length: 4\r\n\r\non=1");
            return client.readUntilClosed();
        });
    // This thread serves no events now, so the request waits in its queue.
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(server->stop(), QString()) << "the server's thread never waits for ours";
    const TestHttpClient::Received answer = received.get();
    EXPECT_TRUE(answer.closed);
    EXPECT_TRUE(answer.bytes.isEmpty());
    QCoreApplication::processEvents();
    EXPECT_TRUE(page.requests.empty()) << "a request from a stopped server must not act";
}

TEST_F(PageRouteTest, AnOwnerThatNeverAnswersLeavesTheConnectionToItsDeadline) {
    WebServerLimits limits;
    limits.requestDeadline = 300ms;
    start(limits);
    TestHttpClient client(server->port());
    client.send("GET /manage HTTP/1.1\r\n\r\n");
    const TestHttpClient::Received answer = client.readUntilClosed(5s);
    EXPECT_TRUE(answer.closed);
    EXPECT_TRUE(answer.bytes.isEmpty());
    QCoreApplication::processEvents();
    EXPECT_TRUE(page.requests.empty());
}

TEST_F(PageRouteTest, WithoutAHandlerThePageIsAnyOtherPath) {
    start();
    server->setPageHandler(nullptr);
    EXPECT_EQ(exchangeServing(server->port(), "GET /manage HTTP/1.1\r\n\r\n").bytes, EmptyReply);
    EXPECT_TRUE(page.requests.empty());
}

} // namespace
