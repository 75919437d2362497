#include "web/QtWebServerControl.h"

#include "web/HostAddresses.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

namespace {

quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::AnyIPv4, 0);
    return probe.serverPort();
}

bool accepts(quint16 port) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    return socket.waitForConnected(2000);
}

TEST(QtWebServerControl, ListensOnThePortOfEachStartAndStopsListening) {
    QtWebServerControl server;
    EXPECT_FALSE(server.isListening());
    const quint16 first = freePort();
    EXPECT_EQ(server.start(first), QString());
    EXPECT_TRUE(server.isListening());
    EXPECT_TRUE(accepts(first));

    EXPECT_EQ(server.stop(), QString());
    EXPECT_FALSE(server.isListening());
    EXPECT_FALSE(accepts(first));

    const quint16 second = freePort();
    ASSERT_NE(second, first);
    EXPECT_EQ(server.start(second), QString());
    EXPECT_TRUE(accepts(second));
    EXPECT_FALSE(accepts(first));
}

TEST(QtWebServerControl, APortInUseIsTheBindMessageAndNothingListens) {
    QTcpServer holder;
    ASSERT_TRUE(holder.listen(QHostAddress::AnyIPv4, 0));
    QtWebServerControl server;
    EXPECT_EQ(server.start(holder.serverPort()),
              QStringLiteral("Could not bind socket. Address and port are already in use."));
    EXPECT_FALSE(server.isListening());
    // And the next attempt, on a free port, works.
    const quint16 port = freePort();
    EXPECT_EQ(server.start(port), QString());
    EXPECT_TRUE(accepts(port));
}

TEST(QtWebServerControl, TheEndOfTheControlClosesThePort) {
    const quint16 port = freePort();
    {
        QtWebServerControl server;
        ASSERT_EQ(server.start(port), QString());
    }
    EXPECT_FALSE(accepts(port));
}

TEST(HostAddresses, AreDottedIPv4WithoutLoopbackUnlessThereIsNoOther) {
    const QStringList addresses = hostIPv4Addresses();
    ASSERT_FALSE(addresses.isEmpty());
    for (const QString& address : addresses) {
        QHostAddress parsed;
        ASSERT_TRUE(parsed.setAddress(address)) << address.toStdString();
        EXPECT_EQ(parsed.protocol(), QAbstractSocket::IPv4Protocol) << address.toStdString();
        EXPECT_EQ(parsed.isLoopback(), addresses == QStringList{QStringLiteral("127.0.0.1")})
            << address.toStdString();
    }
}

} // namespace
