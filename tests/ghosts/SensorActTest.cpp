// SPDX-License-Identifier: GPL-3.0-or-later
// Ghosts answering the home's sensors: which input each sensor is, who answers a press, and the
// hold-off that keeps a ghost from chattering.
#include "core/ProgramState.h"
#include "ghosts/GhostShowRules.h"
#include "ghosts/Ghosts.h"
#include "ghosts/SensorInputs.h"
#include "support/CorePlatform.h"
#include "support/RecordingSoundOutput.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(SensorInputs, EachSensorOfTheDialogIsOneBoardInput) {
    struct Case {
        qint32 special;
        qint32 sensor;
        int input;
    };
    const Case cases[] = {
        {1, 1, 0},
        {1, 2, 1},
        {2, 1, 2},
        {2, 2, 3},
        {3, 1, 4},
        {3, 2, 5},
        {4, 1, 6},
        {4, 2, 7},
        {5, 1, 8},
        // No sensor chosen, no specialty, or values the dialog would never leave there.
        {1, 0, -1},
        {4, 0, -1},
        {5, 0, -1},
        {5, 2, -1},
        {0, 1, -1},
        {0, 2, -1},
        {6, 1, -1},
        {-1, 1, -1},
        {2, 3, -1},
        {2, -1, -1},
    };
    std::set<int> inputs;
    for (const Case& c : cases) {
        EXPECT_EQ(SensorInputs::inputFor(c.special, c.sensor), c.input)
            << c.special << "/" << c.sensor;
        if (c.input >= 0)
            inputs.insert(c.input);
    }
    EXPECT_EQ(inputs.size(), std::size_t(SensorInputs::Count)) << "nine sensors, nine inputs";
}

TEST(SensorInputs, TheHintNamesTheInputToWireCountedFromOne) {
    const QString hint = QStringLiteral("Choose the sensor");
    EXPECT_EQ(GhostShowRules::sensorHint(hint, 4, 1, false),
              QStringLiteral("Choose the sensor\nboard input 7"));
    EXPECT_EQ(GhostShowRules::sensorHint(hint, 5, 1, true),
              QStringLiteral("Choose the sensor\n") + QString::fromUtf8("вход платы 9"));
    EXPECT_EQ(GhostShowRules::sensorHint(hint, 4, 0, false), hint);
    EXPECT_EQ(GhostShowRules::sensorHint(hint, 0, 2, false), hint);
}

constexpr int Doorbell = 6; // the postman's first sensor

// The ghosts with their act recorded: ghost 4 a postman listening to the doorbell.
struct House {
    CorePlatform fakes;
    ProgramState state;
    RecordingSoundOutput output;
    std::unique_ptr<Ghosts> ghosts;

    House() {
        ghosts = std::make_unique<Ghosts>(state, fakes.services(), &output);
        GhostSettings& postman = ghosts->table()[4];
        postman.ON = true;
        postman.Regime = 1;
        postman.Special = 4;
        postman.Special_Dop_1 = 1;
        state.AttractionRunning = true;
    }

    GhostSettings& ghost(int n) { return ghosts->table()[n]; }
    // A press at that time of day; draws for the choice, kind, number and effect (and the
    // regime's own, if it asks).
    void press(QTime at, int input = Doorbell, std::deque<int> draws = {0, 0, 0, 0}) {
        fakes.clock.setTime(at);
        fakes.random.script(std::move(draws));
        output.calls.clear();
        ghosts->SensorAct(input, 1);
    }
    bool played() const { return !output.calls.empty(); }
};

TEST(SensorAct, OnlyASwitchedOnListeningGhostAnswersWhileTheAttractionRuns) {
    struct Case {
        const char* name;
        std::function<void(House&)> setUp;
        int input;
        bool plays;
        int ghostRecorded; // in the current act; 0: no act at all
    };
    const Case cases[] = {
        {"the doorbell", [](House&) {}, Doorbell, true, 4},
        {"attraction stopped", [](House& h) { h.state.AttractionRunning = false; }, Doorbell, false,
         0},
        {"ghost off", [](House& h) { h.ghost(4).ON = false; }, Doorbell, false, 0},
        {"another input", [](House&) {}, 7, false, 0},
        {"no sensor chosen", [](House& h) { h.ghost(4).Special_Dop_1 = 0; }, Doorbell, false, 0},
        // Chosen and recorded as any act, but its regime keeps it silent at noon.
        {"night only", [](House& h) { h.ghost(4).Regime = 2; }, Doorbell, false, 4},
        {"regime never", [](House& h) { h.ghost(4).Regime = 0; }, Doorbell, false, 4},
        {"a low voice", [](House& h) { h.ghost(4).Nrav_3 = 0; }, Doorbell, true, 4},
    };
    for (const Case& c : cases) {
        House h;
        c.setUp(h);
        h.press(QTime(12, 0), c.input);
        EXPECT_EQ(h.played(), c.plays) << c.name;
        EXPECT_EQ(h.ghosts->currentAct().GhostNumber, c.ghostRecorded) << c.name;
    }
    House low;
    low.ghost(4).Nrav_3 = 0;
    low.press(QTime(12, 0));
    EXPECT_EQ(low.output.calls, (std::vector<std::string>{"play half"}));
    EXPECT_EQ(low.ghosts->currentAct().Special, 4) << "the postman's own library";
}

TEST(SensorAct, AGhostAnswersAtMostOnceInTenSeconds) {
    House h;
    h.press(QTime(12, 0, 0));
    EXPECT_TRUE(h.played());
    h.press(QTime(12, 0, 9));
    EXPECT_FALSE(h.played()) << "within the hold-off";
    h.press(QTime(12, 0, 10));
    EXPECT_TRUE(h.played()) << "ten seconds on";
    h.press(QTime(11, 0, 0));
    EXPECT_TRUE(h.played()) << "a clock set back must not silence the ghost for an hour";
}

TEST(SensorAct, TwoGhostsOnOneSensorBothAnswerOverManyPresses) {
    House h;
    h.ghost(7) = h.ghost(4);
    std::set<int> answered;
    for (int press = 0; press < 6; ++press) {
        h.press(QTime(12, 0, 10 * press), Doorbell, {press % 2, 0, 0, 0});
        EXPECT_TRUE(h.played()) << press;
        EXPECT_EQ(h.ghosts->currentAct().ActiveCount, 2);
        answered.insert(h.ghosts->currentAct().GhostNumber);
    }
    EXPECT_EQ(answered, (std::set<int>{4, 7}));

    // While one of them holds off, the other answers alone.
    h.press(QTime(12, 1, 0), Doorbell, {0, 0, 0, 0});
    ASSERT_EQ(h.ghosts->currentAct().GhostNumber, 4);
    h.press(QTime(12, 1, 3), Doorbell, {0, 0, 0, 0});
    EXPECT_EQ(h.ghosts->currentAct().ActiveCount, 1);
    EXPECT_EQ(h.ghosts->currentAct().GhostNumber, 7);
    h.press(QTime(12, 1, 5), Doorbell, {});
    EXPECT_FALSE(h.played()) << "both hold off";
}

} // namespace
