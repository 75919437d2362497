// SPDX-License-Identifier: GPL-3.0-or-later
// Signing in to the management page through the real server, from many loopback addresses.
#include "TestHttpClient.h"
#include "support/FakeProgramControl.h"
#include "web/page/ManagementPage.h"
#include "web/server/WebAccessServer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace {

struct SignInStep {
    std::string name;
    std::chrono::seconds at;
    std::string from;
    QString login;
    QString password;
    int status;
};

TEST(PageSignIn, WrongPasswordsFromManyAddressesShareOneBudgetAndShortPasswordsNeverSignIn) {
    WebAccessSettings settings;
    settings.Page = QStringLiteral("manage");
    settings.User_Login = QStringLiteral("user");
    settings.User_Pass = QStringLiteral("ghosts4u");
    // Four characters in eight UTF-16 units: still too short.
    settings.Admin_Login = QStringLiteral("admin");
    settings.Admin_Pass = QStringLiteral("😀😀😀😀");
    settings.User_OK = settings.Admin_OK = true;
    FakeProgramControl control;
    LoginBackOff::Time now{};
    ManagementPage page([&] { return settings; }, control, GhostPictures(), [&] { return now; });
    WebAccessServer server;
    server.setPageHandler(&page);
    ASSERT_EQ(server.start(0), QString());

    const std::string phone = "127.0.0.2";
    std::vector<SignInStep> steps = {{"phone_signs_in", 0s, phone, "user", "ghosts4u", 200}};
    // Each address stays under its own back-off; together they spend the budget.
    for (int n = 1; n <= LoginBackOff::DefaultGlobalFailuresAllowed; ++n)
        steps.push_back({"guess", 0s, "127.0.1." + std::to_string(n), "user", "guess", 401});
    const std::vector<SignInStep> after = {
        {"budget_spent", 0s, "127.0.3.1", "user", "guess", 429},
        {"right_password_unchecked", 0s, "127.0.3.2", "user", "ghosts4u", 429},
        {"phone_still_signs_in", 0s, phone, "user", "ghosts4u", 200},
        {"one_more_after_the_refill", LoginBackOff::GlobalRefill, "127.0.3.3", "user", "x", 401},
        {"and_no_more", LoginBackOff::GlobalRefill, "127.0.3.4", "user", "guess", 429},
        {"budget_whole_again", 2min, "127.0.3.2", "user", "ghosts4u", 200},
        {"short_password", 2min, "127.0.3.5", "admin", QStringLiteral("😀😀😀😀"), 401},
    };
    steps.insert(steps.end(), after.begin(), after.end());
    for (const SignInStep& step : steps) {
        now = LoginBackOff::Time{} + step.at;
        const QByteArray request = "GET /manage HTTP/1.1\r\nAuthorization: Basic " +
                                   (step.login + u':' + step.password).toUtf8().toBase64() +
                                   "\r\n\r\n";
        const QByteArray reply = exchangeServing(server.port(), request, step.from.c_str()).bytes;
        EXPECT_EQ(reply.mid(9, 3).toInt(), step.status) << step.name << " from " << step.from;
    }
}

} // namespace
