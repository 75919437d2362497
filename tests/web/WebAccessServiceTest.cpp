// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/WebAccessService.h"

#include "TestHttpClient.h"
#include "core/ProgramState.h"
#include "core/SettingsStore.h"
#include "support/FakeProgramControl.h"
#include "support/TempStore.h"
#include "web/server/WebAccessServer.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The service as the program makes it, with the real server and no window.
struct Service {
    TempStore temp;
    ProgramState state;
    FakeProgramControl control;
    std::unique_ptr<WebAccessService> service;

    explicit Service(bool load = true) {
        service = std::make_unique<WebAccessService>(state, &temp.store(), control,
                                                     std::make_unique<WebAccessServer>());
        if (load)
            service->loadSettings();
    }
};

bool accepts(quint16 port) {
    return TestHttpClient(port).isConnected();
}

TEST(WebAccessService, ThePageIsServedWithNoWindow) {
    Service s;
    WebAccessSettings& settings = s.service->settings();
    settings.Port = QString::number(freePort());
    settings.User_OK = true;
    settings.User_Pass = QStringLiteral("secret-1");
    s.control.ghosts[1].name = QStringLiteral("Poltergeist");
    ASSERT_TRUE(s.service->start().isEmpty());
    const QByteArray request = "GET /manage HTTP/1.1\r\nAuthorization: Basic " +
                               QByteArray("user:secret-1").toBase64() + "\r\n\r\n";
    const QByteArray reply = exchangeServing(settings.Port.toUShort(), request).bytes;
    EXPECT_TRUE(reply.startsWith("HTTP/1.1 200 ")) << reply.left(40).constData();
    EXPECT_TRUE(reply.contains("Poltergeist")) << "the page shows the program's ghosts";
}

TEST(WebAccessService, ItsEndStopsTheServerAndSavesTheSettingsOnlyWhenItLoadedThem) {
    for (const bool loaded : {true, false}) {
        SCOPED_TRACE(loaded);
        auto s = std::make_unique<Service>(loaded);
        const quint16 port = freePort();
        s->service->settings().Port = QString::number(port);
        ASSERT_TRUE(s->service->start().isEmpty());
        s->service.reset();
        EXPECT_FALSE(accepts(port));
        EXPECT_FALSE(s->state.WebServerRunning);
        const auto key = s->temp.reopen().openKey(WebAccessStore::KeyPath, false);
        ASSERT_EQ(key != nullptr, loaded);
        if (!key)
            continue;
        EXPECT_EQ(key->readString(QStringLiteral("Port")), QString::number(port));
    }
}

} // namespace
