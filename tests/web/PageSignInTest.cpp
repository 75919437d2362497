// SPDX-License-Identifier: GPL-3.0-or-later
// Signing in to the management page through the real server, from many loopback addresses.
#include "FakeProgramControl.h"
#include "TestHttpClient.h"
#include "web/page/ManagementPage.h"
#include "web/server/WebAccessServer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace {

const QByteArray EmptyReply = "HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Type: text/html\r\n"
                              "Server: Murkwell\r\n\r\n";

QByteArray request(const QByteArray& target, const QString& login, const QString& password) {
    return "GET " + target + " HTTP/1.1\r\nAuthorization: Basic " +
           (login + u':' + password).toUtf8().toBase64() + "\r\n\r\n";
}

int statusOf(const QByteArray& reply) {
    return reply.mid(9, 3).toInt();
}

class PageSignInTest : public testing::Test {
protected:
    void SetUp() override {
        settings.Page = QStringLiteral("manage");
        settings.User_Login = QStringLiteral("user");
        settings.Admin_Login = QStringLiteral("admin");
        settings.User_OK = true;
        settings.Admin_OK = true;
        server.setPageHandler(&page);
        ASSERT_EQ(server.start(0), QString());
    }

    QByteArray ask(const char* from, const QByteArray& target, const QString& login,
                   const QString& password) {
        return exchangeServing(server.port(), request(target, login, password), from).bytes;
    }

    WebAccessSettings settings;
    FakeProgramControl control;
    LoginBackOff::Time now{};
    ManagementPage page{[this] { return settings; }, control, GhostPictures(),
                        [this] { return now; }, PageToken("key")};
    WebAccessServer server;
};

struct PasswordCase {
    std::string name;
    QString userPassword;
    QString adminPassword;
    QByteArray target;
    QString login;
    QString password;
    QByteArray replyStart;
};

TEST_F(PageSignInTest, AnAccountWithAPasswordUnderEightCharactersNeverSignsIn) {
    const std::vector<PasswordCase> cases = {
        {"stored_defaults", "1", "2", "/manage", "user", "1", "HTTP/1.1 401"},
        {"seven", "abcdefg", "abcdefgh", "/manage", "user", "abcdefg", "HTTP/1.1 401"},
        {"eight", "abcdefg", "abcdefgh", "/manage", "admin", "abcdefgh", "HTTP/1.1 200"},
        {"seven_cyrillic", QStringLiteral("пароль1"), "x", "/manage", "user",
         QStringLiteral("пароль1"), "HTTP/1.1 401"},
        {"eight_cyrillic", QStringLiteral("пароль12"), "x", "/manage", "user",
         QStringLiteral("пароль12"), "HTTP/1.1 200"},
        // Four characters, eight UTF-16 units.
        {"four_beyond_the_basic_plane", QStringLiteral("😀😀😀😀"), "x", "/manage", "user",
         QStringLiteral("😀😀😀😀"), "HTTP/1.1 401"},
        {"other_paths_take_any_credentials", "1", "2", "/", "user", "1", EmptyReply},
    };
    int address = 1;
    for (const PasswordCase& c : cases) {
        settings.User_Pass = c.userPassword;
        settings.Admin_Pass = c.adminPassword;
        const std::string from = "127.0.2." + std::to_string(address++);
        EXPECT_TRUE(ask(from.c_str(), c.target, c.login, c.password).startsWith(c.replyStart))
            << c.name;
    }
}

struct AttemptStep {
    std::string name;
    std::chrono::seconds at;
    std::string from;
    bool rightPassword;
    int status;
};

TEST_F(PageSignInTest, WrongPasswordsFromManyAddressesShareOneBudget) {
    settings.User_Pass = QStringLiteral("ghosts4u");
    const std::string phone = "127.0.0.2";
    std::vector<AttemptStep> steps = {{"phone_signs_in", 0s, phone, true, 200}};
    // Each address stays under its own back-off; together they spend the budget.
    for (int n = 1; n <= LoginBackOff::DefaultGlobalFailuresAllowed; ++n)
        steps.push_back({"guess", 0s, "127.0.1." + std::to_string(n), false, 401});
    const std::vector<AttemptStep> after = {
        {"budget_spent", 0s, "127.0.3.1", false, 429},
        {"right_password_unchecked", 0s, "127.0.3.2", true, 429},
        {"phone_still_signs_in", 0s, phone, true, 200},
        {"one_more_after_the_refill", LoginBackOff::GlobalRefill, "127.0.3.3", false, 401},
        {"and_no_more", LoginBackOff::GlobalRefill, "127.0.3.4", false, 429},
        {"budget_whole_again", 2min, "127.0.3.2", true, 200},
    };
    steps.insert(steps.end(), after.begin(), after.end());
    for (const AttemptStep& step : steps) {
        now = LoginBackOff::Time{} + step.at;
        const QByteArray reply =
            ask(step.from.c_str(), "/manage", "user", step.rightPassword ? "ghosts4u" : "guess");
        EXPECT_EQ(statusOf(reply), step.status) << step.name << " from " << step.from;
    }
}

} // namespace
