// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetServerService.h"

#include "RecordingProgramControl.h"
#include "WireClient.h"
#include "core/SettingsStore.h"
#include "support/FixedClock.h"
#include "support/LocalPorts.h"
#include "support/RecordingMessageBoxes.h"
#include "support/TempStore.h"

#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// The service on a real store as the program makes it, with no window: what it says of its
// socket is recorded.
struct Service {
    TempStore temp;
    RecordingMessageBoxes messages;
    FixedClock clock;
    RecordingProgramControl control;
    std::unique_ptr<NetServerService> service;
    QList<bool> socketStates;

    explicit Service(const std::function<void(SettingsStore&)>& stored = {}, bool load = true) {
        if (stored)
            stored(temp.store());
        service = std::make_unique<NetServerService>(
            PlatformServices{.store = &temp.store(), .messages = &messages, .clock = &clock},
            control, [] {});
        QObject::connect(service.get(), &NetServerService::socketOpenChanged,
                         [this](bool open) { socketStates.append(open); });
        if (load)
            service->loadSettings();
    }
};

TEST(NetServerService, ReconnectOpensOnThePortTextOrLeavesTheSocketClosed) {
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::AnyIPv4, 0));
    const quint16 free = freePort();
    const struct {
        const char* name;
        QString portText;
        quint16 listening;
        QString refusal;
    } cases[] = {
        {"a free port", QString::number(free), free, {}},
        {"in use by another program", QString::number(other.serverPort()), 0, {}},
        {"beyond the last port", QStringLiteral("70000"), 0, {}},
        {"port zero", QStringLiteral("0"), 0, {}},
        {"not an integer", QStringLiteral("12ab"), 0, "'12ab' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Service s;
        // Open first, so that a failure must also close what was open.
        s.service->setPortText(QString::number(freePort()));
        ASSERT_TRUE(s.service->reconnect().isEmpty());
        ASSERT_TRUE(s.service->socketOpen());
        s.service->setPortText(c.portText);
        EXPECT_EQ(s.service->reconnect(), c.refusal);
        EXPECT_EQ(s.service->listeningPort(), c.listening);
        EXPECT_EQ(s.socketStates.last(), c.listening != 0);
        EXPECT_EQ(accepts(c.listening), c.listening != 0);
        EXPECT_TRUE(s.messages.errors.isEmpty()) << "the service tells; showing is the window's";
    }
}

TEST(NetServerService, AClientsCommandsDriveTheProgramWithNoWindowAndCloseEndsTheClient) {
    Service s([](SettingsStore& store) {
        NetClients clients(&store, nullptr);
        clients.load();
        clients.select(0);
        clients.apply(QStringLiteral("one"), {true, true, true, true});
    });
    s.service->setPortText(QString::number(freePort()));
    ASSERT_TRUE(s.service->reconnect().isEmpty());
    WireClient client(s.service->listeningPort());
    client.send("login\x01"
                "Client_1\x01"
                "one\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.service->currentClients().size() == 1; }));
    const QStringList asked = {"start", "stop", "act", "door"}; // commands 1 to 4
    for (int command = 1; command <= 4; ++command)
        client.send("ExecCommand\x01" + QByteArray::number(command) + '\n');
    EXPECT_TRUE(QTest::qWaitFor([&] { return s.control.asked == asked; }))
        << s.control.asked.join(u',').toStdString();

    s.service->close();
    EXPECT_TRUE(client.waitClosed());
    EXPECT_TRUE(s.service->currentClients().isEmpty());
    EXPECT_FALSE(s.service->socketOpen());
    EXPECT_EQ(s.socketStates.last(), false);
}

TEST(NetServerService, ItsEndSavesTheSettingsOnlyWhenItLoadedThem) {
    for (const bool loaded : {true, false}) {
        SCOPED_TRACE(loaded);
        auto s = std::make_unique<Service>(std::function<void(SettingsStore&)>{}, loaded);
        s->service->setOption(&ServerSettings::AutoSocket, true);
        s->service->setPortText(QStringLiteral("4100"));
        s->service.reset();
        const auto key = s->temp.reopen().openKey(ServerSettingsStore::KeyPath, false);
        ASSERT_EQ(key != nullptr, loaded);
        if (!key)
            continue;
        EXPECT_EQ(key->readInteger(QStringLiteral("ServerSocket")), 4100);
        EXPECT_TRUE(key->readBool(QStringLiteral("AutoSocket")));
    }
}

} // namespace
