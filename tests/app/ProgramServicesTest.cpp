// SPDX-License-Identifier: GPL-3.0-or-later
// The program with no window at all: a board's doorbell and a network client's command each make
// the listening ghost play, and the settings go back to the store as they were read.
#include "app/ProgramServices.h"

#include "core/ProgramState.h"
#include "device/BoardReport.h"
#include "device/TMyDevice.h"
#include "net/NetCommands.h"
#include "sound/SoundPlayer.h"
#include "support/CorePlatform.h"
#include "support/FakeAlarm.h"
#include "support/FakeHidBackend.h"
#include "support/TempStore.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>

namespace {

// Counts the sounds started; made ready on the stage's reading thread.
class CountingPlayer : public SoundPlayer {
public:
    bool play(const QByteArray& waveImage, double) override {
        if (!waveImage.isEmpty())
            ++started;
        return true;
    }
    void stop() override {}
    bool playing() const override { return false; }
    std::atomic<int> started = 0;
};

std::vector<quint8> digitalReport(std::initializer_list<int> inputs) {
    BoardReport::BoardInputs values;
    for (const int input : inputs)
        values.DInputs[static_cast<size_t>(input)] = true;
    const BoardReport::Bytes bytes =
        BoardReport::inputReport(values, BoardReport::InputKind::Digital);
    return {bytes.begin() + 1, bytes.end()};
}

constexpr int Doorbell = 6;

TEST(ProgramServices, ABoardAndANetworkCommandReachTheSoundWithNoWindow) {
    TempStore temp;
    CorePlatform fakes;
    fakes.random.script(std::deque<int>(64, 0));
    CountingPlayer player;
    FakeHidBackendFactory boards;
    // A few quiet cycles, then the doorbell, while the program is being set up.
    boards.backend().add(TMyDevice::BoardVendorID, 3)->reports = {
        digitalReport({}), digitalReport({}), digitalReport({}), digitalReport({Doorbell})};
    PlatformServices platform = fakes.services(&temp.store());
    platform.player = &player;
    platform.boards = &boards;
    ProgramState state;
    ProgramServices program(state, platform);
    for (int n = 1; n <= GhostTable::GhostCount; ++n)
        program.ghosts.table()[n].ON = false;
    program.ghosts.table()[1] = {
        .Name = QStringLiteral("Anna"), .ON = true, .Regime = 1, .Special = 4, .Special_Dop_1 = 1};
    program.attraction.toggle();

    ASSERT_TRUE(QTest::qWaitFor([&] { return player.started == 1; }, 5000)) << "the doorbell";
    EXPECT_EQ(program.ghosts.currentAct().GhostNumber, 1);
    EXPECT_EQ(program.ghosts.currentAct().Special, 4);

    ASSERT_EQ(NetCommands::run(program.control, 3), ProgramControl::Outcome::Done);
    EXPECT_TRUE(QTest::qWaitFor([&] { return player.started == 2; }, 5000)) << "command 3";
}

} // namespace

namespace {

// An act's drawn number is drawn among the own library's sounds at once, before the stage read
// it: the workshop told the stage how many there are now.
TEST(ProgramServices, TheStageHearsOfEachLibraryTheWorkshopChanged) {
    QTemporaryDir data;
    const QByteArray before = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    TempStore temp;
    CorePlatform fakes;
    ProgramState state;
    ProgramServices program(state, fakes.services(&temp.store()));
    qputenv("XDG_DATA_HOME", before);
    ASSERT_TRUE(program.sound.places().own.startsWith(data.path()));

    QSignalSpy done(&program.soundLibraries, &SoundLibraryWorkshop::workDone);
    ASSERT_EQ(program.soundLibraries.removeSound(SoundLibraryWorkshop::libraryIndex(2, 0), 0),
              QString());
    ASSERT_TRUE(done.wait(30000));
    ASSERT_TRUE(QFile::exists(program.sound.places().ownPath(2, 0)));

    fakes.random.script({8});
    SoundChoice choice{2, 0, 3, 0};
    choice.drawn = true;
    EXPECT_EQ(program.sound.play(choice).SoundNumber, 8);
    EXPECT_EQ(fakes.random.asked, std::vector<int>{9});
}

// The stored plan runs the whole program: the clock moved across the plan's start and end, by the
// alarm and by a person setting it, starts and stops the attraction and shows on the view.
TEST(ProgramServices, AStoredPlanStartsAndStopsTheAttraction) {
    TempStore temp;
    ASSERT_EQ(ScheduleSettingsStore(&temp.store())
                  .save({.enabled = true,
                         .rules = QStringLiteral("daily 18:00..22:00; quiet 21:00..23:30"),
                         .location = {}}),
              QString());
    CorePlatform fakes;
    FakeAlarm* alarm = nullptr;
    PlatformServices platform = fakes.services(&temp.store());
    platform.alarm = [&alarm] {
        auto made = std::make_unique<FakeAlarm>();
        alarm = made.get();
        return made;
    };
    ProgramState state;
    ProgramServices program(state, platform);
    ASSERT_NE(alarm, nullptr);
    program.attraction.options().Attraction_Time = 0; // a quarter of an hour, lifted by the plan
    program.startWhatIsWanted();

    struct Step {
        int day; // after the first
        QTime at;
        bool clockSet; // else the alarm goes off
        bool running;
        QTime planEnds;
        int nextPlanDay; // the next plan starts at 18:00 that day
        QTime quietUntil;
        QTime armed;
    };
    const QDate first = fakes.clock.now().date();
    const Step steps[] = {
        {0, {18, 0}, false, true, {22, 0}, 1, {}, {21, 0}},
        {0, {23, 0}, true, false, {}, 1, {23, 30}, {23, 30}},
        {0, {19, 0}, true, true, {22, 0}, 1, {}, {21, 0}},
        {1, {9, 0}, false, false, {}, 1, {}, {18, 0}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.at.toString().toStdString());
        fakes.clock.set(QDateTime(first.addDays(step.day), step.at));
        if (step.clockSet)
            alarm->clockSet();
        else
            alarm->fire();
        const ProgramControl::AttractionView view = program.control.attraction();
        EXPECT_EQ(view.running, step.running);
        EXPECT_EQ(view.planEnds.time(), step.planEnds);
        EXPECT_EQ(view.nextPlanStart, QDateTime(first.addDays(step.nextPlanDay), QTime(18, 0)));
        EXPECT_EQ(view.quietUntil.time(), step.quietUntil);
        EXPECT_EQ(view.secondsLeft, -1);
        EXPECT_EQ(alarm->armedAt.time(), step.armed);
    }
}

} // namespace
