// SPDX-License-Identifier: GPL-3.0-or-later
// The boards as the home's sensors and door: presses gathered from every board, and the door's
// pulse on the monitor pages' "Switch" boxes.
#include "device/HouseBoards.h"

#include "device/BoardReport.h"
#include "device/OutputPulse.h"
#include "device/SensorEdges.h"
#include "device/TJvHidDeviceController.h"
#include "device/TMyDataFrame.h"
#include "support/FakeHidBackend.h"

#include <QCheckBox>
#include <QDeadlineTimer>
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

// Monitor pages on fake boards, gathered as the house.
struct Boards {
    FakeHidBackend* backend = new FakeHidBackend;
    std::unique_ptr<TJvHidDeviceController> controller;
    std::vector<std::shared_ptr<FakeBoard>> boards;
    std::vector<std::unique_ptr<TMyDataFrame>> frames;
    HouseBoards house;

    explicit Boards(std::initializer_list<int> productIds) {
        // The controller lists the boards present when it is made.
        for (int id : productIds)
            boards.push_back(backend->add(Vendor, static_cast<quint16>(id)));
        controller =
            std::make_unique<TJvHidDeviceController>(std::unique_ptr<FakeHidBackend>(backend));
        for (int id : productIds) {
            frames.push_back(std::make_unique<TMyDataFrame>(nullptr, id, controller.get()));
            house.addMonitor(frames.back().get());
        }
    }
    ~Boards() {
        frames.clear();
        controller.reset();
    }

    // Two cycles of every page, board k answering with these inputs in a report of each kind
    // (input 8 comes with the analog kind).
    void cycle(const std::vector<std::initializer_list<int>>& inputs) {
        for (const auto kind : {BoardReport::InputKind::Digital, BoardReport::InputKind::Analog}) {
            for (size_t k = 0; k < frames.size(); ++k) {
                BoardReport::BoardInputs values;
                for (int input : inputs[k])
                    values.DInputs[static_cast<size_t>(input)] = true;
                const BoardReport::Bytes report = BoardReport::inputReport(values, kind);
                boards[k]->reports = {std::vector<quint8>(report.begin() + 1, report.end())};
                frames[k]->Timer_WorkTimer();
            }
        }
    }
    BoardReport::Outputs lastOutputs(size_t k) const {
        BoardReport::Bytes sent{};
        std::copy_n(boards[k]->written.back().begin(), sent.size(), sent.begin());
        return BoardReport::boardOutputs(sent);
    }
};

TEST(HouseBoards, PressesFromEveryBoardBecomeSensorSignals) {
    Boards b({2, 5});
    QSignalSpy pressed(&b.house, &HouseBoards::sensorTurnedOn);
    b.cycle({{}, {}});
    b.cycle({{6}, {}});
    b.cycle({{6}, {8}});
    b.cycle({{}, {8}});
    b.cycle({{}, {6, 8}}); // the other board's doorbell, while the first has let go
    ASSERT_EQ(pressed.count(), 3);
    // Each with the input and the board (product id) that turned it on.
    EXPECT_EQ(pressed[0], (QList<QVariant>{6, 2}));
    EXPECT_EQ(pressed[1], (QList<QVariant>{8, 5}));
    EXPECT_EQ(pressed[2], (QList<QVariant>{6, 5}));
}

TEST(HouseBoards, WithoutABoardThereIsNoDoor) {
    Boards none({});
    EXPECT_FALSE(none.house.openDoor());
    EXPECT_FALSE(none.house.doorOpening());
}

TEST(HouseBoards, TheDoorTicksSwitchOnEveryPageUntilItsTimeIsUp) {
    Boards b({1, 3});
    b.frames[0]->outputBox(1)->setChecked(true);
    ASSERT_TRUE(b.house.openDoor());
    for (const auto& frame : b.frames) {
        EXPECT_TRUE(frame->outputBox(HouseBoards::DoorOutputBox)->isChecked());
        EXPECT_EQ(frame->outputBox(HouseBoards::DoorOutputBox)->text(), QStringLiteral("Switch"));
    }
    b.cycle({{}, {}});
    const BoardReport::Outputs sent = b.lastOutputs(1);
    for (size_t output = 0; output < sent.size(); ++output)
        EXPECT_EQ(sent[output], output == 3) << "Switch is output index 3, not " << output;
    EXPECT_TRUE(b.house.doorOpening());
    ASSERT_TRUE(waitUntil([&] { return !b.house.doorOpening(); }, HouseBoards::DoorOpenMs + 2000));
    for (const auto& frame : b.frames)
        EXPECT_FALSE(frame->outputBox(HouseBoards::DoorOutputBox)->isChecked());
    EXPECT_TRUE(b.frames[0]->outputBox(1)->isChecked()) << "other outputs are left alone";

    // Pages gone before the door closes: the pulse's end touches nothing.
    ASSERT_TRUE(b.house.openDoor());
    b.frames.clear();
    EXPECT_TRUE(waitUntil([&] { return !b.house.doorOpening(); }, HouseBoards::DoorOpenMs + 2000));
}

} // namespace
