// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page/ManagementPage.h"

#include "support/FakeProgramControl.h"
#include "web/page/GhostPictures.h"
#include "web/page/PageHtml.h"
#include "web/page/PageTexts.h"
#include "web/page/PageToken.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace {

const QByteArray Key = "a fixed key for the tests";
constexpr quint32 Phone = 0xC0A80102;

QByteArray basic(const QString& login, const QString& password) {
    return "Basic " + (login + u':' + password).toUtf8().toBase64();
}

WebAccessSettings accounts() {
    WebAccessSettings s;
    s.Page = QStringLiteral("manage");
    s.User_Login = QStringLiteral("user");
    s.User_Pass = QStringLiteral("secret-1");
    s.Admin_Login = QStringLiteral("admin");
    s.Admin_Pass = QStringLiteral("secret-2");
    s.User_OK = true;
    s.Admin_OK = true;
    s.Web_User.ghost = {true, false, true, false, false, false, false, true};
    s.Web_User.attraction = false;
    s.Web_Admin.ghost.fill(true);
    s.Web_Admin.attraction = true;
    return s;
}

int statusOf(const QByteArray& reply) {
    return reply.mid(9, 3).toInt();
}

QByteArray headerOf(const QByteArray& reply, const QByteArray& name) {
    const QByteArray head = reply.left(reply.indexOf("\r\n\r\n"));
    for (const QByteArray& line : head.split('\n'))
        if (line.startsWith(name + ": "))
            return line.mid(name.size() + 2).trimmed();
    return {};
}

QByteArray bodyOf(const QByteArray& reply) {
    return reply.mid(reply.indexOf("\r\n\r\n") + 4);
}

// The ghost numbers that have a switch on the page.
std::vector<int> switchesOn(const QByteArray& reply) {
    std::vector<int> ghosts;
    static const QRegularExpression field(QStringLiteral("name=\"ghost\" value=\"(\\d+)\""));
    for (const auto& match : field.globalMatch(QString::fromUtf8(bodyOf(reply))))
        ghosts.push_back(match.captured(1).toInt());
    return ghosts;
}

class ManagementPageTest : public testing::Test {
protected:
    QByteArray ask(const QByteArray& method, const QByteArray& authorization,
                   const QByteArray& body = {}, bool bodyCut = false) {
        return page.answer({method, authorization, body, bodyCut, Phone});
    }
    QByteArray post(const QString& role, const QString& login, const QString& password,
                    const QByteArray& fields) {
        const QString token = PageToken(Key).forLogin(role, login);
        return ask("POST", basic(login, password), "token=" + token.toLatin1() + "&" + fields);
    }

    WebAccessSettings settings = accounts();
    FakeProgramControl control;
    LoginBackOff::Time now{};
    ManagementPage page{[this] { return settings; }, control, GhostPictures(),
                        [this] { return now; }, PageToken(Key)};
};

struct SignInCase {
    std::string name;
    QByteArray authorization;
    int expectedStatus;
};

TEST_F(ManagementPageTest, OnlyTheExactCredentialsOfAnEnabledAccountSignIn) {
    settings.Admin_OK = false;
    const std::vector<SignInCase> cases = {
        {"user", basic("user", "secret-1"), 200},
        {"none", "", 401},
        {"wrong_password", basic("user", "secret"), 401},
        {"password_with_more", basic("user", "secret-11"), 401},
        {"login_case", basic("User", "secret-1"), 401},
        {"login_with_blank", basic("user ", "secret-1"), 401},
        {"disabled_admin", basic("admin", "secret-2"), 401},
        {"user_login_admin_password", basic("user", "secret-2"), 401},
        {"malformed", "Basic !!!", 401},
    };
    for (const SignInCase& c : cases) {
        now += 61s; // no back-off between cases
        const QByteArray reply = ask("GET", c.authorization);
        EXPECT_EQ(statusOf(reply), c.expectedStatus) << c.name;
        if (c.expectedStatus == 401) {
            EXPECT_EQ(headerOf(reply, "WWW-Authenticate"),
                      R"(Basic realm="Gloamery", charset="UTF-8")")
                << c.name;
        }
    }
}

TEST_F(ManagementPageTest, ThePageOffersExactlyTheAccountsSwitches) {
    const QByteArray user = ask("GET", basic("user", "secret-1"));
    EXPECT_EQ(switchesOn(user), (std::vector<int>{1, 3, 8}));
    EXPECT_FALSE(bodyOf(user).contains("name=\"attraction\""));
    const QByteArray admin = ask("GET", basic("admin", "secret-2"));
    EXPECT_EQ(switchesOn(admin), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_TRUE(bodyOf(admin).contains("name=\"attraction\" value=\"start\""));
    // Every ghost is shown, with or without a switch.
    for (int n = 1; n <= 8; ++n)
        EXPECT_TRUE(bodyOf(user).contains(QStringLiteral("id=\"ghost-%1\"").arg(n).toUtf8()));
}

TEST_F(ManagementPageTest, RepliesCarryLengthNoStoreAndTheSecurityHeaders) {
    for (const QByteArray& reply : {ask("GET", basic("user", "secret-1")), ask("GET", ""),
                                    post("user", "user", "secret-1", "ghost=2&on=1")}) {
        EXPECT_EQ(headerOf(reply, "Content-Length").toInt(), bodyOf(reply).size());
        EXPECT_EQ(headerOf(reply, "Cache-Control"), "no-store");
        EXPECT_EQ(headerOf(reply, "X-Content-Type-Options"), "nosniff");
        EXPECT_EQ(headerOf(reply, "X-Frame-Options"), "DENY");
        EXPECT_EQ(headerOf(reply, "Content-Security-Policy"),
                  PageReply::securityPolicy(PageHtml::style()));
    }
    const QByteArray head = ask("HEAD", basic("user", "secret-1"));
    EXPECT_EQ(statusOf(head), 200);
    EXPECT_TRUE(bodyOf(head).isEmpty());
    EXPECT_EQ(headerOf(head, "Content-Length"),
              headerOf(ask("GET", basic("user", "secret-1")), "Content-Length"));
}

struct ActionCase {
    std::string name;
    QString role;
    QString login;
    QString password;
    QByteArray fields; // after the right token
    int expectedStatus;
    int changedGhost; // 0: none
    bool attractionRunning;
};

TEST_F(ManagementPageTest, ActionsRunOnlyWithinTheAccountsPermissions) {
    const std::vector<ActionCase> cases = {
        {"user_permitted_ghost", "user", "user", "secret-1", "ghost=3&on=1", 303, 3, false},
        {"user_forbidden_ghost", "user", "user", "secret-1", "ghost=2&on=1", 403, 0, false},
        {"user_forbidden_attraction", "user", "user", "secret-1", "attraction=start", 403, 0,
         false},
        {"no_such_ghost", "admin", "admin", "secret-2", "ghost=9&on=1", 403, 0, false},
        {"ghost_zero", "admin", "admin", "secret-2", "ghost=0&on=1", 403, 0, false},
        {"admin_attraction", "admin", "admin", "secret-2", "attraction=start", 303, 0, true},
        {"admin_ghost", "admin", "admin", "secret-2", "ghost=2&on=1", 303, 2, false},
        {"on_not_a_bit", "admin", "admin", "secret-2", "ghost=2&on=yes", 400, 0, false},
        {"ghost_not_a_number", "admin", "admin", "secret-2", "ghost=+2&on=1", 400, 0, false},
        {"two_actions", "admin", "admin", "secret-2", "ghost=2&on=1&attraction=start", 400, 0,
         false},
        {"unknown_attraction_word", "admin", "admin", "secret-2", "attraction=go", 400, 0, false},
        {"nothing_asked", "admin", "admin", "secret-2", "x=1", 400, 0, false},
    };
    for (const ActionCase& c : cases) {
        control = FakeProgramControl();
        const QByteArray reply = post(c.role, c.login, c.password, c.fields);
        EXPECT_EQ(statusOf(reply), c.expectedStatus) << c.name;
        for (int n = 1; n <= 8; ++n)
            EXPECT_EQ(control.ghost(n).on, n == c.changedGhost) << c.name << " ghost " << n;
        EXPECT_EQ(control.attraction().running, c.attractionRunning) << c.name;
        if (c.expectedStatus == 303)
            EXPECT_EQ(headerOf(reply, "Location"), "/manage") << c.name;
        else
            EXPECT_EQ(control.actions, 0) << c.name;
    }
}

struct TokenCase {
    std::string name;
    QByteArray body;
};

TEST_F(ManagementPageTest, AnActionWithoutTheRightTokenIsForbiddenAndChangesNothing) {
    const QByteArray adminToken = PageToken(Key).forLogin("admin", "admin").toLatin1();
    const QByteArray userToken = PageToken(Key).forLogin("user", "user").toLatin1();
    const std::vector<TokenCase> cases = {
        {"no_token", "ghost=1&on=1"},
        {"empty_token", "token=&ghost=1&on=1"},
        {"the_other_accounts_token", "token=" + adminToken + "&ghost=1&on=1"},
        {"another_runs_token",
         "token=" + PageToken("another key").forLogin("user", "user").toLatin1() + "&ghost=1&on=1"},
        {"token_cut_short", "token=" + userToken.chopped(1) + "&ghost=1&on=1"},
        {"token_in_capitals", "token=" + userToken.toUpper() + "&ghost=1&on=1"},
        {"not_a_form", "token=" + userToken + "&ghost=1&ghost=1&on=1"},
    };
    for (const TokenCase& c : cases) {
        const QByteArray reply = ask("POST", basic("user", "secret-1"), c.body);
        EXPECT_EQ(statusOf(reply), 403) << c.name;
        EXPECT_EQ(control.actions, 0) << c.name;
    }
    // The page's own token does work.
    const QByteArray shown = bodyOf(ask("GET", basic("user", "secret-1")));
    EXPECT_TRUE(shown.contains("name=\"token\" value=\"" + userToken + "\""));
}

TEST_F(ManagementPageTest, AnOverlongBodyIsRefusedWholeAndChangesNothing) {
    const QByteArray userToken = PageToken(Key).forLogin("user", "user").toLatin1();
    const QByteArray reply =
        ask("POST", basic("user", "secret-1"), "token=" + userToken + "&ghost=1&on=1", true);
    EXPECT_EQ(statusOf(reply), 413);
    EXPECT_EQ(control.actions, 0);
}

TEST_F(ManagementPageTest, ARefusalForAnOpenDialogShowsOnceOnTheNextPage) {
    control.dialog = true;
    EXPECT_EQ(statusOf(post("user", "user", "secret-1", "ghost=1&on=1")), 303);
    EXPECT_FALSE(control.ghost(1).on);
    const QByteArray next = bodyOf(ask("GET", basic("user", "secret-1")));
    EXPECT_TRUE(next.contains(PageTexts::of(Language::English).refused.toUtf8()));
    control.dialog = false;
    const QByteArray after = bodyOf(ask("GET", basic("user", "secret-1")));
    EXPECT_FALSE(after.contains(PageTexts::of(Language::English).refused.toUtf8()));
    EXPECT_FALSE(after.contains("id=\"notice\""));
}

TEST_F(ManagementPageTest, FailedSignInsFromOneAddressWaitEvenWithTheRightPassword) {
    for (int i = 0; i < LoginBackOff::FailuresAllowed; ++i)
        EXPECT_EQ(statusOf(ask("GET", basic("user", "guess"))), 401);
    const QByteArray blocked = ask("GET", basic("user", "secret-1"));
    EXPECT_EQ(statusOf(blocked), 429);
    EXPECT_EQ(headerOf(blocked, "Retry-After"), "30");
    now += 30s;
    EXPECT_EQ(statusOf(ask("GET", basic("user", "secret-1"))), 200);
    // Requests without credentials are a browser asking, not a failed attempt.
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(statusOf(ask("GET", "")), 401);
    EXPECT_EQ(statusOf(ask("GET", basic("user", "secret-1"))), 200);
}

TEST_F(ManagementPageTest, NamesAndLoginsAreEscapedAndTheLanguageFollowsTheProgram) {
    control.ghosts[2].name = QStringLiteral("<script>alert('x')</script>&\"");
    settings.User_Login = QStringLiteral("<b>me</b>");
    control.currentLanguage = Language::Russian;
    const QByteArray body = bodyOf(ask("GET", basic("<b>me</b>", "secret-1")));
    EXPECT_FALSE(body.contains("<script>"));
    EXPECT_FALSE(body.contains("<b>me"));
    EXPECT_TRUE(body.contains("&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;&amp;&quot;"));
    EXPECT_TRUE(body.contains("lang=\"ru\""));
    EXPECT_TRUE(body.contains(QStringLiteral("Призраки").toUtf8()));
}

struct ClockCase {
    int seconds;
    QString shown;
};

TEST(PageHtml, TimeLeftReadsAsAClock) {
    for (const ClockCase& c : std::vector<ClockCase>{{0, "0:00"},
                                                     {5, "0:05"},
                                                     {65, "1:05"},
                                                     {899, "14:59"},
                                                     {3600, "1:00:00"},
                                                     {3725, "1:02:05"},
                                                     {-4, "0:00"}})
        EXPECT_EQ(PageHtml::clock(c.seconds), c.shown) << c.seconds;
}

struct PlanCase {
    Language language;
    QDateTime planEnds;
    QDateTime nextPlanStart;
    QDateTime quietUntil;
    QString shown; // the attraction's line after "Stopped"/"Остановлен"
};

TEST(PageHtml, TheAttractionLineTellsThePlanAndTheQuietHours) {
    const QDateTime friday(QDate(2026, 12, 11), QTime(18, 40));
    const QDateTime seven(QDate(2026, 12, 9), QTime(19, 0));
    const PlanCase cases[] = {
        {Language::English, {}, {}, {}, ""},
        {Language::English, {}, friday, {}, " · next plan: Fri 18:40"},
        {Language::Russian, {}, friday, seven, " · следующий план: пт 18:40 · тишина до 19:00"},
        {Language::English, seven, friday, {}, " · plan until 19:00"},
        {Language::English, {}, {}, seven, " · quiet until 19:00"},
    };
    for (const PlanCase& c : cases) {
        SCOPED_TRACE(c.shown.toStdString());
        PageHtml::View view;
        view.planEnds = c.planEnds;
        view.nextPlanStart = c.nextPlanStart;
        view.quietUntil = c.quietUntil;
        const PageTexts& texts = PageTexts::of(c.language);
        const QString html = PageHtml::page(view, texts);
        EXPECT_TRUE(html.contains(
            QStringLiteral("id=\"attraction-state\">%1%2</p>").arg(texts.stopped, c.shown)))
            << html.toStdString();
    }
}

} // namespace

// The photos are read when a page first needs them: a start-up that no phone visits reads none.
TEST(GhostPictures, ReadAtFirstUseWithMissingAndOversizedFilesLeftOut) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const GhostPictures pictures = GhostPictures::fromFolder(folder.path());
    EXPECT_FALSE(pictures.read());

    const auto write = [&](int ghost, const QByteArray& bytes) {
        QFile file(QDir(folder.path()).filePath(QStringLiteral("%1.png").arg(ghost)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write(1, "PNG1");
    write(2, QByteArray(GhostPictures::MaxFileBytes + 1, 'x'));
    write(8, QByteArray(GhostPictures::MaxFileBytes, 'y'));

    EXPECT_EQ(pictures.dataAddress(1), QStringLiteral("data:image/png;base64,UE5HMQ=="));
    EXPECT_TRUE(pictures.read());
    EXPECT_EQ(pictures.dataAddress(2), QString()) << "over the limit";
    EXPECT_EQ(pictures.dataAddress(3), QString()) << "missing";
    EXPECT_EQ(pictures.dataAddress(8).size(),
              QStringLiteral("data:image/png;base64,").size() +
                  QByteArray(GhostPictures::MaxFileBytes, 'y').toBase64().size());
    EXPECT_EQ(pictures.dataAddress(0), QString());
    EXPECT_EQ(pictures.dataAddress(9), QString());
}
