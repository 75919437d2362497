// SPDX-License-Identifier: GPL-3.0-or-later
// mqtt_will_holder PORT TOPIC PAYLOAD: connects to 127.0.0.1:PORT with a retained will and says
// "connected" on stdout, then waits to be killed.
#include "home/MosquittoConnection.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fputs("usage: mqtt_will_holder PORT TOPIC PAYLOAD\n", stderr);
        return 2;
    }
    MqttEndpoint endpoint;
    endpoint.host = QStringLiteral("127.0.0.1");
    endpoint.port = QByteArray(argv[1]).toInt();
    endpoint.clientId = "will-holder";
    endpoint.will = {QByteArray(argv[2]), QByteArray(argv[3]), true, 1};
    MosquittoConnection connection;
    QObject::connect(&connection, &MqttConnection::connected, [] {
        std::puts("connected");
        std::fflush(stdout);
    });
    connection.open(endpoint);
    return QCoreApplication::exec();
}
