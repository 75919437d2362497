// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeLinkForm.h"

#include "support/FakeHomeLink.h"
#include "support/FixedClock.h"

#include <gtest/gtest.h>

namespace {

using Phase = MqttLinkState::Phase;

struct Form {
    FakeHomeLink link;
    Language language = Language::English;
    FixedClock clock;
    HomeLinkForm form{link, language, &clock};
    HomeLinkForm::Typed typed = HomeLinkForm::typed(link.stored);
};

struct FinishCase {
    const char* what;
    HomeField field;
    std::function<void(HomeLinkForm::Typed&)> type;
    // Null: nothing applied.
    std::function<bool(const HomeSettings&)> applied;
    const char* note;
};

class FormFinish : public testing::TestWithParam<FinishCase> {};

TEST_P(FormFinish, AppliesALeftFieldOnlyWhenTakenAndChanged) {
    const FinishCase& c = GetParam();
    Form f;
    const HomeSettings before = f.link.stored;
    c.type(f.typed);
    EXPECT_EQ(f.form.finish(c.field, f.typed), *c.note == 0) << c.what;
    ASSERT_EQ(f.link.applied.size(), c.applied ? 1 : 0) << c.what;
    if (c.applied) {
        EXPECT_TRUE(c.applied(f.link.applied.first())) << c.what;
    }
    EXPECT_TRUE(f.form.note().contains(QString::fromUtf8(c.note))) << c.what;
    if (*c.note != 0) {
        EXPECT_EQ(f.link.stored, before) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, FormFinish,
    testing::Values(
        FinishCase{"host", HomeField::Host, [](auto& in) { in.host = " broker.lan "; },
                   [](const HomeSettings& s) { return s.host == "broker.lan" && s.port == 1883; },
                   ""},
        // Only the field left is taken: the half-typed port waits for its own field.
        FinishCase{"host beside a bad port", HomeField::Host,
                   [](auto& in) {
                       in.host = "b";
                       in.port = "x";
                   },
                   [](const HomeSettings& s) { return s.host == "b" && s.port == 1883; }, ""},
        FinishCase{"port", HomeField::Port, [](auto& in) { in.port = "$22B3"; },
                   [](const HomeSettings& s) { return s.port == 8883; }, ""},
        FinishCase{"bad port", HomeField::Port, [](auto& in) { in.port = "18 83"; }, nullptr,
                   "'18 83' is not a valid port"},
        FinishCase{"unchanged", HomeField::Port, [](auto& in) { in.port = "1883"; }, nullptr, ""},
        FinishCase{"empty host", HomeField::Host, [](auto& in) { in.host = ""; }, nullptr,
                   "host is empty"},
        FinishCase{"turned on", HomeField::Enabled, [](auto& in) { in.enabled = true; },
                   [](const HomeSettings& s) { return s.enabled; }, ""},
        FinishCase{"node id", HomeField::NodeId, [](auto& in) { in.nodeId = "no such"; }, nullptr,
                   "node id"},
        FinishCase{"TLS without a CA file", HomeField::Tls, [](auto& in) { in.tls = true; },
                   [](const HomeSettings& s) { return s.tls; }, ""}));

TEST(HomeLinkForm, TurningOnChecksTheValuesAlreadyApplied) {
    Form f;
    f.link.stored.discoveryPrefix = QStringLiteral("#");
    f.typed.enabled = true;
    EXPECT_FALSE(f.form.finish(HomeField::Enabled, f.typed));
    EXPECT_TRUE(f.link.applied.isEmpty());
    EXPECT_TRUE(f.form.note().contains(QStringLiteral("discovery prefix")));
}

TEST(HomeLinkForm, ShowsEachPhaseWithItsLamp) {
    const struct {
        MqttLinkState state;
        Language language;
        HomeLinkForm::Lamp lamp;
        const char* line;
    } cases[] = {
        {{Phase::Off, {}, 0},
         Language::English,
         HomeLinkForm::Lamp::Off,
         "Not connected: turned off"},
        {{Phase::Connecting, {}, 0},
         Language::English,
         HomeLinkForm::Lamp::Waiting,
         "Connecting to localhost:1883…"},
        {{Phase::Connected, {}, 0},
         Language::Russian,
         HomeLinkForm::Lamp::Lit,
         "Подключено к localhost:1883"},
        {{Phase::Retrying, QStringLiteral("refused %2"), 8},
         Language::English,
         HomeLinkForm::Lamp::Waiting,
         "No link: refused %2; next try in 8 s"},
    };
    for (const auto& c : cases) {
        Form f;
        f.language = c.language;
        int shown = 0;
        QObject::connect(&f.form, &HomeLinkForm::stateShown, [&shown] { ++shown; });
        f.link.enter(c.state);
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(f.form.lamp(), c.lamp) << c.line;
        EXPECT_EQ(f.form.stateLine(), QString::fromUtf8(c.line));
    }
}

TEST(HomeLinkForm, TheTimeToTheNextTryCountsDownFromEachPause) {
    const struct {
        qint64 sinceLastPauseMs;
        const char* left;
    } steps[] = {{0, "8"}, {2999, "6"}, {3001, "2"}, {60000, "0"}};
    Form f;
    f.link.enter({Phase::Retrying, QStringLiteral("refused"), 8});
    for (const auto& step : steps) {
        f.clock.advance(step.sinceLastPauseMs);
        EXPECT_EQ(f.form.stateLine(),
                  QStringLiteral("No link: refused; next try in %1 s").arg(step.left));
    }
    f.link.enter({Phase::Retrying, QStringLiteral("refused"), 16});
    EXPECT_TRUE(f.form.stateLine().endsWith(QStringLiteral("in 16 s"))) << "a new pause";
}

TEST(HomeLinkForm, ATestTriesTheTypedValuesOnceAndShowsTheAnswer) {
    Form f;
    f.typed.port = QStringLiteral("x");
    f.form.test(f.typed);
    EXPECT_TRUE(f.link.tried.isEmpty());
    EXPECT_TRUE(f.form.note().contains(QStringLiteral("'x' is not a valid port")));

    f.typed.port = QStringLiteral("1884");
    f.typed.host = QStringLiteral("broker.lan");
    f.form.test(f.typed);
    f.form.test(f.typed); // a second click while the first runs
    ASSERT_EQ(f.link.tried.size(), 1);
    EXPECT_EQ(f.link.tried.first().host, QStringLiteral("broker.lan"));
    EXPECT_EQ(f.link.tried.first().port, 1884);
    EXPECT_TRUE(f.link.applied.isEmpty()) << "a test changes nothing";
    EXPECT_TRUE(f.form.testing());
    EXPECT_EQ(f.form.note(), QStringLiteral("Testing broker.lan:1884…"));

    f.link.finishTest(false, QStringLiteral("not authorised"));
    EXPECT_FALSE(f.form.testing());
    EXPECT_EQ(f.form.note(), QStringLiteral("Test failed: not authorised"));
}

} // namespace
