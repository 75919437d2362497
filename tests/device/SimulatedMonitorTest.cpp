// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardProcess.h"
#include "SimBoards.h"
#include "device/BoardPoller.h"
#include "device/HouseBoards.h"
#include "device/MonitorTexts.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Real simulated boards with product ids 3 and 5, polled by the boards' service while the test
// waits.
struct SimulatedBoards {
    QTemporaryDir dir;
    BoardProcess board3{
        {QStringLiteral("--pid"), QStringLiteral("3"), QStringLiteral("--dir"), dir.path()}};
    BoardProcess board5{
        {QStringLiteral("--pid"), QStringLiteral("5"), QStringLiteral("--dir"), dir.path()}};
    SimBoards factory{dir.path()};
    std::unique_ptr<HouseBoards> house;
    std::array<BoardReport::Inputs, 2> last{};

    SimulatedBoards() {
        EXPECT_TRUE(waitUntil([&] {
            return QDir(dir.path()).entryList({QStringLiteral("*.sock")}, QDir::System).size() == 2;
        }));
        house = std::make_unique<HouseBoards>(&factory);
        EXPECT_TRUE(waitUntil([&] { return house->searchDone(); }));
        EXPECT_EQ(house->pollers().size(), 2u);
        for (size_t k = 0; k < house->pollers().size(); ++k) {
            QObject::connect(house->pollers()[k].get(), &BoardPoller::readingArrived, house.get(),
                             [this, k](const BoardReport::Inputs& inputs) { last[k] = inputs; });
        }
    }

    static void command(BoardProcess& board, const char* line) {
        board.send(QString::fromLatin1(line));
        ASSERT_TRUE(board.sync()) << line;
    }
    bool analogShows(size_t k, const char* text) {
        return waitUntil([&] { return MonitorTexts::analogInputs(last[k].AInputs) == text; });
    }
};

TEST(SimulatedMonitor, ASilentBoardHoldsUpNeitherItsValuesNorTheOtherBoard) {
    SimulatedBoards m;
    SimulatedBoards::command(m.board3, "ad 1 200");
    SimulatedBoards::command(m.board3, "in 2 on");
    ASSERT_TRUE(m.analogShows(0, "C8 00 00 00 00 00 00"));
    ASSERT_TRUE(waitUntil([&] { return m.last[0].DInputs[1]; }));

    SimulatedBoards::command(m.board3, "silent on");
    SimulatedBoards::command(m.board3, "ad 1 10");
    for (const int value : {1, 2, 3})
        SimulatedBoards::command(m.board5,
                                 QStringLiteral("ad 2 %1").arg(value).toLatin1().constData());
    EXPECT_TRUE(m.analogShows(1, "00 03 00 00 00 00 00"));
    EXPECT_EQ(MonitorTexts::analogInputs(m.last[0].AInputs), "C8 00 00 00 00 00 00");
    EXPECT_TRUE(m.last[0].DInputs[1]);

    SimulatedBoards::command(m.board3, "silent off");
    EXPECT_TRUE(m.analogShows(0, "0A 00 00 00 00 00 00"));
}

TEST(SimulatedMonitor, UnpluggedExchangesPauseAndResumeOnTheirOwn) {
    SimulatedBoards m;
    SimulatedBoards::command(m.board3, "ad 3 17");
    ASSERT_TRUE(m.analogShows(0, "00 00 11 00 00 00 00"));

    SimulatedBoards::command(m.board3, "unplug");
    SimulatedBoards::command(m.board3, "ad 3 34");
    SimulatedBoards::command(m.board5, "ad 3 51");
    ASSERT_TRUE(m.analogShows(1, "00 00 33 00 00 00 00"));
    EXPECT_EQ(MonitorTexts::analogInputs(m.last[0].AInputs), "00 00 11 00 00 00 00");

    SimulatedBoards::command(m.board3, "plug");
    EXPECT_TRUE(m.analogShows(0, "00 00 22 00 00 00 00"));
}

TEST(SimulatedMonitor, TheEndSwitchesTheFirstFiveOutputsOffOnTheBoard) {
    SimulatedBoards m;
    for (int output = 0; output < 8; ++output)
        m.house->pollers()[0]->setOutput(output, true);
    ASSERT_TRUE(m.board3.waitForOutput(QStringLiteral("output 8 on")));
    m.house.reset();
    for (int output = 1; output <= 5; ++output)
        EXPECT_TRUE(m.board3.waitForOutput(QStringLiteral("output %1 off").arg(output))) << output;
    m.board3.sync();
    for (int output = 6; output <= 8; ++output)
        EXPECT_FALSE(m.board3.output().contains(QStringLiteral("output %1 off").arg(output)));
}

} // namespace
