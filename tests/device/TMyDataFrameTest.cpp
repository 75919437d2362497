// SPDX-License-Identifier: GPL-3.0-or-later
// The monitor page as a view of its board's poller.
#include "device/TMyDataFrame.h"

#include "device/HouseBoards.h"
#include "support/FakeHidBackend.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int ProductId = 4;

// A page on the poller of one fake board. Readings are handed to the page by the test; the
// poller's own arrive only while the event loop runs, which these tests never let it.
struct Monitor {
    FakeHidBackendFactory factory;
    std::unique_ptr<HouseBoards> house;
    std::unique_ptr<TMyDataFrame> frame;

    Monitor() {
        factory.backend().add(0xABCC, ProductId);
        house = std::make_unique<HouseBoards>(&factory);
        EXPECT_TRUE(QTest::qWaitFor([&] { return house->searchDone(); }));
        frame = std::make_unique<TMyDataFrame>(nullptr, poller());
    }
    ~Monitor() { frame.reset(); }

    BoardPoller& poller() const { return *house->pollers().at(0); }
    std::vector<bool> inputsShown() const {
        std::vector<bool> shown;
        for (int k = 1; k <= TMyDataFrame::Inputs; ++k)
            shown.push_back(frame->inputBox(k)->isChecked());
        return shown;
    }
};

BoardReport::Inputs reading(std::vector<int> on, bool input10, double frequency,
                            std::array<quint8, BoardReport::AnalogInputs> analog) {
    BoardReport::Inputs inputs;
    for (int input : on)
        inputs.DInputs[static_cast<size_t>(input)] = true;
    inputs.Input10 = input10;
    inputs.Frequency = frequency;
    inputs.AInputs = analog;
    return inputs;
}

TEST(TMyDataFrame, ShowsEachReading) {
    struct Case {
        BoardReport::Inputs inputs;
        std::vector<bool> boxes;
        const char* frequency;
        const char* analog;
    };
    const Case cases[] = {
        {reading({0, 2, 5, 7}, true, 1000 / 2.795, {0, 0, 0, 0x10, 0x20, 0x30, 0x40}),
         {true, false, true, false, false, true, false, true, false, true},
         "357.78",
         "00 00 00 10 20 30 40"},
        {reading({8}, false, 0, {0x11, 0x22, 0x33, 0, 0x1F, 0x80, 0xFF}),
         {false, false, false, false, false, false, false, false, true, false},
         "0.00",
         "11 22 33 00 1F 80 FF"},
    };
    Monitor monitor;
    for (const Case& c : cases) {
        emit monitor.poller().readingArrived(c.inputs);
        EXPECT_EQ(monitor.inputsShown(), c.boxes) << c.analog;
        EXPECT_EQ(monitor.frame->frequencyField()->text(), c.frequency);
        EXPECT_EQ(monitor.frame->analogField()->text(), c.analog);
    }
}

TEST(TMyDataFrame, TheFrequencyUsesTheUsersDecimalSeparator) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Monitor monitor;
    emit monitor.poller().readingArrived(reading({}, false, 1000 / 2.795, {}));
    EXPECT_EQ(monitor.frame->frequencyField()->text(), "357,78");
    QLocale::setDefault(previous);
}

TEST(TMyDataFrame, TheOutputBoxesAndThePollersOutputsFollowEachOther) {
    Monitor monitor;
    for (int box = 1; box <= TMyDataFrame::Outputs; ++box) {
        monitor.frame->outputBox(box)->click();
        EXPECT_TRUE(monitor.poller().output(box - 1)) << box;
        monitor.poller().setOutput(box - 1, false);
        EXPECT_FALSE(monitor.frame->outputBox(box)->isChecked()) << box;
    }
    monitor.poller().setOutput(HouseBoards::DoorOutput, true);
    EXPECT_TRUE(monitor.frame->outputBox(4)->isChecked());
    EXPECT_EQ(monitor.frame->outputBox(4)->text(), QStringLiteral("Switch"));
}

} // namespace
