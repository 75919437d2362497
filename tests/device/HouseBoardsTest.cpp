// SPDX-License-Identifier: GPL-3.0-or-later
// The boards' service: the boards it finds, each polled on the boards' thread, presses gathered
// from every board, and the door's pulse on every board's "Switch".
#include "device/HouseBoards.h"

#include "core/ActTrigger.h"
#include "device/BoardPoller.h"
#include "device/BoardReport.h"
#include "device/OutputPulse.h"
#include "device/SensorEdges.h"
#include "support/FakeHidBackend.h"

#include <QDeadlineTimer>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

quint16 bits(std::initializer_list<int> inputs) {
    quint16 value = 0;
    for (int input : inputs)
        value |= static_cast<quint16>(1U << input);
    return value;
}

TEST(SensorEdges, AnInputTurnsOnWhenNoBoardHadItAndOneHasItNow) {
    struct Report {
        int board;
        quint16 inputs;
        QList<int> turnedOn;
    };
    struct Case {
        const char* name;
        std::vector<Report> reports;
    };
    const Case cases[] = {
        {"a board's first report only sets where it stands",
         {{1, bits({0, 6}), {}},
          {1, bits({0, 6}), {}},
          {1, bits({0}), {}},
          {1, bits({0, 6}), {6}}}},
        {"a press and a release",
         {{1, 0, {}}, {1, bits({6}), {6}}, {1, bits({6}), {}}, {1, 0, {}}, {1, bits({6}), {6}}}},
        {"several inputs at once, lowest first", {{1, 0, {}}, {1, bits({8, 2, 5}), {2, 5, 8}}}},
        {"on at one board is on: the second board's press is no new press",
         {{1, 0, {}},
          {2, 0, {}},
          {1, bits({3}), {3}},
          {2, bits({3}), {}},
          {1, 0, {}},
          {2, 0, {}},
          {2, bits({3}), {3}}}},
        {"inputs above the ninth are not sensors",
         {{1, 0, {}}, {1, static_cast<quint16>(0xFE00), {}}}},
    };
    for (const Case& c : cases) {
        SensorEdges edges;
        for (const Report& r : c.reports)
            EXPECT_EQ(edges.report(r.board, r.inputs), r.turnedOn) << c.name;
    }
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition() && !deadline.hasExpired())
        QTest::qWait(5);
    return condition();
}

TEST(OutputPulse, OnAtOnceOffOnceAfterTheTimeAndASecondPulseLengthensIt) {
    std::vector<bool> switched;
    OutputPulse pulse(200, [&](bool on) { switched.push_back(on); });
    pulse.start();
    EXPECT_EQ(switched, (std::vector<bool>{true}));
    QTest::qWait(120);
    pulse.start();
    QTest::qWait(120); // past the first pulse's end
    EXPECT_EQ(switched, (std::vector<bool>{true, true})) << "went off during the second pulse";
    ASSERT_TRUE(waitUntil([&] { return !pulse.active(); }));
    EXPECT_EQ(switched, (std::vector<bool>{true, true, false}));
}

constexpr quint16 Vendor = 0xABCC;

std::vector<quint8> report(std::initializer_list<int> inputs, BoardReport::InputKind kind) {
    BoardReport::BoardInputs values;
    for (int input : inputs)
        values.DInputs[static_cast<size_t>(input)] = true;
    const BoardReport::Bytes bytes = BoardReport::inputReport(values, kind);
    return {bytes.begin() + 1, bytes.end()};
}

// The service over fake boards. A board is set up before the service starts and looked at only
// after it has ended, so the test never shares a board with the boards' thread.
struct Boards {
    FakeHidBackendFactory factory;
    std::vector<std::shared_ptr<FakeBoard>> present;
    std::unique_ptr<HouseBoards> house;
    std::vector<int> readings;

    std::shared_ptr<FakeBoard> add(int productId, quint16 vendor = Vendor) {
        present.push_back(factory.backend().add(vendor, static_cast<quint16>(productId)));
        return present.back();
    }
    void start() {
        house = std::make_unique<HouseBoards>(&factory);
        ASSERT_TRUE(waitUntil([&] { return house->searchDone(); }));
        readings.assign(house->pollers().size(), 0);
        for (size_t k = 0; k < readings.size(); ++k) {
            QObject::connect(poller(k), &BoardPoller::readingArrived, house.get(),
                             [this, k] { ++readings[k]; });
        }
    }
    BoardPoller* poller(size_t k) const { return house->pollers().at(k).get(); }
    // Waits for `count` more readings from every board.
    bool cycles(int count) {
        const std::vector<int> before = readings;
        return waitUntil([&] {
            for (size_t k = 0; k < readings.size(); ++k) {
                if (readings[k] < before[k] + count)
                    return false;
            }
            return true;
        });
    }
    // Byte 2 of each output report the board was sent: its outputs.
    static std::vector<quint8> sent(const FakeBoard& board) {
        std::vector<quint8> outputs;
        for (const auto& report : board.written)
            outputs.push_back(report.at(2));
        return outputs;
    }
};

TEST(HouseBoards, PollsOneBoardPerProductIdFoundInIncreasingOrder) {
    struct Board {
        quint16 vendor;
        int product;
        bool polled;
    };
    struct Case {
        const char* name;
        std::vector<Board> boards;
        std::vector<int> found;
    };
    const Case cases[] = {
        {"none", {}, {}},
        {"3 and 10", {{Vendor, 3, true}, {Vendor, 10, true}}, {3, 10}},
        {"listed backwards", {{Vendor, 10, true}, {Vendor, 1, true}}, {1, 10}},
        {"not ours", {{Vendor, 11, false}, {Vendor, 0, false}, {0x1234, 3, false}}, {}},
        {"one id twice: the first free one serves", {{Vendor, 7, true}, {Vendor, 7, false}}, {7}},
    };
    for (const Case& c : cases) {
        Boards b;
        for (const Board& board : c.boards)
            b.add(board.product, board.vendor);
        b.start();
        std::vector<int> found;
        for (const auto& poller : b.house->pollers())
            found.push_back(poller->productId());
        EXPECT_EQ(found, c.found) << c.name;
        ASSERT_TRUE(b.cycles(2)) << c.name;
        b.house.reset();
        for (size_t k = 0; k < c.boards.size(); ++k)
            EXPECT_EQ(!b.present[k]->written.empty(), c.boards[k].polled) << c.name << " " << k;
    }
}

TEST(HouseBoards, ASecondServiceFindsNoBoardWhileTheFirstHoldsTheController) {
    Boards first;
    first.add(1);
    first.start();
    Boards second;
    second.add(2);
    second.start();
    EXPECT_EQ(first.house->pollers().size(), 1u);
    EXPECT_TRUE(second.house->pollers().empty());
}

TEST(HouseBoards, OutputsReachTheBoardAndTheEndSwitchesTheFirstFiveOff) {
    struct Case {
        std::vector<int> on;
        quint8 sent;
        quint8 last;
    };
    const Case cases[] = {
        {{}, 0x00, 0x00},
        {{0, 2, 5}, 0x25, 0x04},
        {{0, 1, 2, 3, 4, 5, 6, 7}, 0xFF, 0x1C},
        {{8, 9}, 0x00, 0x00}, // requests the board never sees
    };
    for (const Case& c : cases) {
        Boards b;
        const auto board = b.add(4);
        b.start();
        for (int output : c.on)
            b.poller(0)->setOutput(output, true);
        ASSERT_TRUE(b.cycles(2)); // the first may have left before the outputs were set
        b.house.reset();
        const std::vector<quint8> sent = Boards::sent(*board);
        ASSERT_GE(sent.size(), 3u);
        EXPECT_EQ(sent[sent.size() - 2], c.sent) << ::testing::PrintToString(c.on);
        EXPECT_EQ(sent.back(), c.last) << ::testing::PrintToString(c.on);
    }
}

TEST(HouseBoards, PressesFromEveryBoardBecomeSensorSignals) {
    using Kind = BoardReport::InputKind;
    Boards b;
    b.add(2)->reports = {report({}, Kind::Digital), report({6}, Kind::Digital),
                         report({6}, Kind::Digital)};
    // Input 8 comes with the analog kind.
    b.add(5)->reports = {report({}, Kind::Analog), report({8}, Kind::Analog)};
    b.start();
    QSignalSpy pressed(b.house.get(), &HouseBoards::sensorTurnedOn);
    ASSERT_TRUE(b.cycles(4));
    ASSERT_EQ(pressed.count(), 2);
    // Each with the input and the board (product id) that turned it on.
    QList<QList<QVariant>> presses{pressed[0], pressed[1]};
    std::sort(presses.begin(), presses.end(),
              [](const auto& x, const auto& y) { return x[0].toInt() < y[0].toInt(); });
    EXPECT_EQ(presses[0], (QList<QVariant>{6, 2}));
    EXPECT_EQ(presses[1], (QList<QVariant>{8, 5}));
}

TEST(HouseBoards, TheHomesInputsCountAsOneMoreBoards) {
    using Kind = BoardReport::InputKind;
    Boards b;
    // Input 3 is held on at the board from the start.
    b.add(2)->reports = {report({3}, Kind::Digital)};
    b.start();
    ASSERT_TRUE(b.cycles(2));
    QSignalSpy pressed(b.house.get(), &HouseBoards::sensorTurnedOn);
    QSignalSpy changed(b.house.get(), &HouseBoards::inputChanged);
    b.house->setHomeInput(5, true); // the home's first ON is a press
    b.house->setHomeInput(5, true);
    b.house->setHomeInput(3, true); // already on at the board: no press, no change
    b.house->setHomeInput(3, false);
    b.house->pressHomeInput(0);
    b.house->setHomeInput(9, true); // no such input
    const int home = ActTrigger::HomeAutomationBoard;
    EXPECT_EQ(pressed, (QList<QList<QVariant>>{{5, home}, {0, home}}));
    EXPECT_EQ(changed, (QList<QList<QVariant>>{{5, true}, {0, true}, {0, false}}));
    EXPECT_TRUE(b.house->inputOn(3));
    EXPECT_TRUE(b.house->inputOn(5));
}

TEST(HouseBoards, AnExchangeErrorEndsItsCycleAndTheNextOneGoesOn) {
    Boards b;
    const auto board = b.add(4);
    board->throwingReads = 2;
    board->reports = {report({0, 5}, BoardReport::InputKind::Digital)};
    std::vector<BoardReport::Inputs> read;
    b.start();
    QObject::connect(b.poller(0), &BoardPoller::readingArrived,
                     [&](const BoardReport::Inputs& inputs) { read.push_back(inputs); });
    ASSERT_TRUE(waitUntil([&] { return !read.empty(); }));
    EXPECT_TRUE(read[0].DInputs[0] && read[0].DInputs[5]) << "a failed cycle handed back nothing";
}

TEST(HouseBoards, ABoardHoldingItsReadHoldsNeitherThisThreadNorTheEnd) {
    Boards b;
    const auto board = b.add(4);
    QSemaphore reading;
    QSemaphore answer;
    bool answeredInTime = false;
    board->whileReading = [&, first = true]() mutable {
        if (!std::exchange(first, false))
            return;
        reading.release();
        answeredInTime = answer.tryAcquire(1, 5000);
    };
    b.start();
    int ticks = 0;
    QObject::connect(&b.poller(0)->workTimer(), &QTimer::timeout, [&] { ++ticks; });
    // The event loop turns, and the poller's timer ticks, while the board keeps its read waiting.
    ASSERT_TRUE(waitUntil([&] { return reading.available() > 0 && ticks >= 5; }));
    answer.release();
    b.house.reset();
    EXPECT_TRUE(answeredInTime) << "the read held the thread that had to answer it";
    EXPECT_EQ(board->written.size(), 2u)
        << "the ticks during the held read were let go, and the last exchange came after it";
}

TEST(HouseBoards, WithoutABoardThereIsNoDoor) {
    for (const bool withFactory : {false, true}) {
        Boards none;
        if (withFactory)
            none.start();
        else
            none.house = std::make_unique<HouseBoards>(nullptr);
        EXPECT_TRUE(none.house->searchDone());
        EXPECT_FALSE(none.house->openDoor());
        EXPECT_FALSE(none.house->doorOpening());
    }
}

// The Switch bit of each report sent, repeats and the states before the door opened left out.
std::vector<bool> doorStates(const FakeBoard& board) {
    std::vector<bool> states;
    for (const quint8 outputs : Boards::sent(board)) {
        const bool open = (outputs & BoardReport::OutputMasks[HouseBoards::DoorOutput]) != 0;
        if ((states.empty() && !open) || (!states.empty() && states.back() == open))
            continue;
        states.push_back(open);
    }
    return states;
}

TEST(HouseBoards, TheDoorSwitchesSwitchOnEveryBoardUntilItsTimeIsUp) {
    Boards b;
    b.add(1);
    b.add(3);
    b.start();
    b.poller(0)->setOutput(0, true);
    QSignalSpy door(b.house.get(), &HouseBoards::doorChanged);
    ASSERT_TRUE(b.house->openDoor());
    EXPECT_EQ(door, (QList<QList<QVariant>>{{true}}));
    for (const auto& poller : b.house->pollers())
        EXPECT_TRUE(poller->output(HouseBoards::DoorOutput));
    EXPECT_TRUE(b.house->doorOpening());
    ASSERT_TRUE(waitUntil([&] { return !b.house->doorOpening(); }, HouseBoards::DoorOpenMs + 2000));
    for (const auto& poller : b.house->pollers())
        EXPECT_FALSE(poller->output(HouseBoards::DoorOutput));
    EXPECT_TRUE(b.poller(0)->output(0)) << "other outputs are left alone";
    ASSERT_TRUE(b.cycles(2));
    b.house.reset();
    for (const auto& board : b.present)
        EXPECT_EQ(doorStates(*board), (std::vector<bool>{true, false}));
}

} // namespace
