// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramRun.h"
#include "core/ProgramControl.h"
#include "ghosts/TfmGhost.h"
#include "support/LocalPorts.h"
#include "support/TempStore.h"
#include "web/TestHttpClient.h"
#include "web/WebAccessSettings.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <future>
#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace {

const QByteArray EmptyReply = "HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Type: text/html\r\n"
                              "Server: Murkwell\r\n\r\n";

// A user who may switch ghosts 2 and 5 but not the attraction, and a disabled administrator who
// would be allowed everything; the server starts with the main window.
quint16 storeAccounts(SettingsStore& store, bool adminEnabled) {
    const quint16 port = freePort();
    auto key = store.openKey(WebAccessStore::KeyPath, true);
    key->writeString(QStringLiteral("Port"), QString::number(port));
    key->writeString(QStringLiteral("Page"), QStringLiteral("manage"));
    key->writeString(QStringLiteral("User_Login"), QStringLiteral("phone"));
    key->writeString(QStringLiteral("User_Pass"), QStringLiteral("secret-1"));
    key->writeString(QStringLiteral("Admin_Login"), QStringLiteral("boss"));
    key->writeString(QStringLiteral("Admin_Pass"), QStringLiteral("secret-2"));
    key->writeBool(QStringLiteral("Web_Autoconnect"), true);
    key->writeBool(QStringLiteral("User_OK"), true);
    key->writeBool(QStringLiteral("Admin_OK"), adminEnabled);
    for (int ghost = 1; ghost <= 8; ++ghost)
        key->writeBool(QStringLiteral("Web_User_%1").arg(ghost, 2, 10, QChar(u'0')),
                       ghost == 2 || ghost == 5);
    key->writeBool(QStringLiteral("Web_User_50"), false);
    key->close();
    return port;
}

QByteArray basic(const char* login, const char* password) {
    return "Authorization: Basic " + (QByteArray(login) + ':' + password).toBase64() + "\r\n";
}

QByteArray get(const QByteArray& headers, const QByteArray& path = "/manage") {
    return "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + headers + "\r\n";
}

QByteArray post(const QByteArray& headers, const QByteArray& body) {
    return "POST /manage HTTP/1.1\r\nContent-Type: application/x-www-form-urlencoded\r\n"
           "Content-Length: " +
           QByteArray::number(body.size()) + "\r\n" + headers + "\r\n" + body;
}

// The client runs on a thread of its own: the page is answered on this one, the UI thread.
QByteArray exchange(quint16 port, const QByteArray& request) {
    std::future<QByteArray> reply = std::async(std::launch::async, [&] {
        TestHttpClient client(port);
        client.send(request);
        return client.readUntilClosed().bytes;
    });
    while (reply.wait_for(1ms) != std::future_status::ready)
        QCoreApplication::processEvents();
    return reply.get();
}

int statusOf(const QByteArray& reply) {
    return reply.startsWith("HTTP/1.1 ") ? reply.mid(9, 3).toInt() : 0;
}

QString bodyOf(const QByteArray& reply) {
    return QString::fromUtf8(reply.mid(reply.indexOf("\r\n\r\n") + 4));
}

QString captured(const QString& html, const QString& pattern) {
    return QRegularExpression(pattern).match(html).captured(1);
}

std::vector<int> ghostSwitches(const QString& html) {
    std::vector<int> ghosts;
    static const QRegularExpression field(QStringLiteral("name=\"ghost\" value=\"(\\d+)\""));
    for (const auto& match : field.globalMatch(html))
        ghosts.push_back(match.captured(1).toInt());
    return ghosts;
}

std::vector<bool> ghostsOn(Program& p) {
    std::vector<bool> on;
    for (int ghost = 1; ghost <= 8; ++ghost)
        on.push_back(p.windows().fmGhost->ghostTable()[ghost].ON);
    return on;
}

struct Exchange {
    std::string name;
    QByteArray request;
    int expectedStatus;
    std::vector<bool> ghostsAfter; // ghost 1 at 0
};

TEST(WebPage, OverRealSocketsOnlyThePermittedActionsOfASignedInAccountChangeTheGhosts) {
    TempStore temp;
    const quint16 port = storeAccounts(temp.store(), false);
    ProgramRun program(temp.reopen());
    ASSERT_TRUE(program.run([&](Program& p) {
        ASSERT_TRUE(program.state.WebServerRunning);
        const QByteArray user = basic("phone", "secret-1");
        const QByteArray page = exchange(port, get(user));
        ASSERT_EQ(statusOf(page), 200);
        EXPECT_EQ(ghostSwitches(bodyOf(page)), (std::vector<int>{2, 5}));
        EXPECT_FALSE(bodyOf(page).contains(QStringLiteral("name=\"attraction\"")));
        const QByteArray token =
            captured(bodyOf(page), QStringLiteral("name=\"token\" value=\"([0-9a-f]+)\""))
                .toLatin1();
        ASSERT_FALSE(token.isEmpty());

        const std::vector<bool> none(8, false);
        std::vector<bool> second = none;
        second[1] = true;
        const std::vector<Exchange> exchanges = {
            {"no_credentials", get({}), 401, none},
            {"wrong_password", get(basic("phone", "secret")), 401, none},
            {"disabled_admin", get(basic("boss", "secret-2")), 401, none},
            {"forbidden_ghost", post(user, "token=" + token + "&ghost=3&on=1"), 403, none},
            {"forbidden_attraction", post(user, "token=" + token + "&attraction=start"), 403, none},
            {"no_token", post(user, "ghost=2&on=1"), 403, none},
            {"wrong_token", post(user, "token=00" + token.mid(2) + "&ghost=2&on=1"), 403, none},
            {"credentials_of_no_one",
             post(basic("boss", "secret-2"), "token=" + token + "&ghost=2&on=1"), 401, none},
            {"permitted_ghost", post(user, "token=" + token + "&ghost=2&on=1"), 303, second},
            {"permitted_ghost_off", post(user, "token=" + token + "&ghost=2&on=0"), 303, none},
        };
        for (const Exchange& e : exchanges) {
            const QByteArray reply = exchange(port, e.request);
            EXPECT_EQ(statusOf(reply), e.expectedStatus) << e.name;
            EXPECT_EQ(ghostsOn(p), e.ghostsAfter) << e.name;
        }
        EXPECT_FALSE(program.state.AttractionRunning);

        // The switch shows the new state on the page that follows.
        exchange(port, post(user, "token=" + token + "&ghost=5&on=1"));
        EXPECT_TRUE(bodyOf(exchange(port, get(user)))
                        .contains(QRegularExpression(
                            QStringLiteral("id=\"ghost-5\".*?aria-checked=\"true\""))));

        // Every other path keeps the empty reply, credentials or not.
        for (const QByteArray& other :
             {get(user, "/"), get({}, "/manage/"), get(user, "/manage?x=1"), get(user, "/Manage"),
              QByteArray("HEAD /index.html HTTP/1.1\r\n\r\n")})
            EXPECT_EQ(exchange(port, other), EmptyReply) << other.constData();

        // Five failures from this address make even the right password wait.
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(statusOf(exchange(port, get(basic("phone", "guess")))), 401);
        EXPECT_EQ(statusOf(exchange(port, get(user))), 429);
    }));
}

TEST(WebPage, TheAttractionStartsFromThePhoneButNotWhileADialogIsOpen) {
    TempStore temp;
    const quint16 port = storeAccounts(temp.store(), true);
    ProgramRun program(temp.reopen());
    ASSERT_TRUE(program.run([&](Program& p) {
        const QByteArray admin = basic("boss", "secret-2");
        const QString page = bodyOf(exchange(port, get(admin)));
        EXPECT_EQ(ghostSwitches(page), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
        const QByteArray token =
            captured(page, QStringLiteral("name=\"token\" value=\"([0-9a-f]+)\"")).toLatin1();

        program.state.DialogOpen.opened();
        EXPECT_EQ(statusOf(exchange(port, post(admin, "token=" + token + "&attraction=start"))),
                  303);
        EXPECT_FALSE(program.state.AttractionRunning);
        EXPECT_TRUE(bodyOf(exchange(port, get(admin))).contains(QStringLiteral("Not done")));

        program.state.DialogOpen.closed();
        EXPECT_EQ(statusOf(exchange(port, post(admin, "token=" + token + "&attraction=start"))),
                  303);
        EXPECT_TRUE(program.state.AttractionRunning);
        EXPECT_EQ(p.windows().control().attraction().running, true);
        EXPECT_TRUE(bodyOf(exchange(port, get(admin))).contains(QStringLiteral("Running")));
        exchange(port, post(admin, "token=" + token + "&attraction=stop"));
        EXPECT_FALSE(program.state.AttractionRunning);
    }));
}

} // namespace
