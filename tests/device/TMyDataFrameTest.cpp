// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/TMyDataFrame.h"

#include "device/TJvHidDeviceController.h"
#include "support/FakeHidBackend.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>

#include <gtest/gtest.h>

namespace {

constexpr quint16 Vendor = 0xABCC;
constexpr int ProductId = 4;

const std::vector<quint8> DigitalReport = {0x01, 0xA5, 0x10, 0x20, 0x30, 0x40, 0xE8, 0x03};
const std::vector<quint8> AnalogReport = {0x00, 0xFF, 0x11, 0x22, 0x33, 0x06, 0xFF, 0xFF};

struct Monitor {
    FakeHidBackend* backend = new FakeHidBackend;
    std::shared_ptr<FakeBoard> board = backend->add(Vendor, ProductId);
    TJvHidDeviceController controller{std::unique_ptr<FakeHidBackend>(backend)};
    std::unique_ptr<TMyDataFrame> frame =
        std::make_unique<TMyDataFrame>(nullptr, ProductId, &controller);

    quint8 lastByte2() const { return board->written.back().at(2); }
    std::vector<bool> inputsShown() const {
        std::vector<bool> shown;
        for (int k = 1; k <= TMyDataFrame::Inputs; ++k)
            shown.push_back(frame->inputBox(k)->isChecked());
        return shown;
    }
};

TEST(TMyDataFrame, TickedBoxesReachTheBoardAsTheirBits) {
    struct Case {
        std::vector<int> ticked;
        quint8 byte2;
    };
    const Case cases[] = {
        {{}, 0x00},
        {{1, 3, 6}, 0x25},
        {{1, 2, 3, 4, 5, 6, 7, 8}, 0xFF},
        {{9, 10}, 0x00}, // requests the board never sees
    };
    for (const Case& c : cases) {
        Monitor monitor;
        for (int box : c.ticked)
            monitor.frame->outputBox(box)->setChecked(true);
        monitor.frame->Timer_WorkTimer();
        EXPECT_EQ(monitor.lastByte2(), c.byte2) << ::testing::PrintToString(c.ticked);
        for (int box = 1; box <= TMyDataFrame::Outputs; ++box) {
            const bool ticked = std::find(c.ticked.begin(), c.ticked.end(), box) != c.ticked.end();
            EXPECT_EQ(monitor.frame->device().DOutputs(box - 1), ticked ? 1 : 0) << box;
        }
    }
}

TEST(TMyDataFrame, ShowsTheValuesLastReceived) {
    Monitor monitor;
    monitor.board->reports = {DigitalReport, AnalogReport};
    monitor.frame->Timer_WorkTimer();
    EXPECT_EQ(monitor.inputsShown(), (std::vector<bool>{true, false, true, false, false, true,
                                                        false, true, false, false}));
    EXPECT_EQ(monitor.frame->frequencyField()->text(), "357.78");
    EXPECT_EQ(monitor.frame->analogField()->text(), "00 00 00 10 20 30 40");

    monitor.frame->Timer_WorkTimer();
    EXPECT_EQ(monitor.inputsShown(),
              (std::vector<bool>{true, false, true, false, false, true, false, true, true, true}));
    EXPECT_EQ(monitor.frame->analogField()->text(), "11 22 33 10 20 30 40");

    monitor.frame->Timer_WorkTimer(); // the board says nothing this time
    EXPECT_EQ(monitor.frame->analogField()->text(), "11 22 33 10 20 30 40");
    EXPECT_EQ(monitor.frame->frequencyField()->text(), "357.78");
    EXPECT_TRUE(monitor.frame->inputBox(10)->isChecked());
}

TEST(TMyDataFrame, TheFrequencyUsesTheUsersDecimalSeparator) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Monitor monitor;
    monitor.frame->Timer_WorkTimer();
    EXPECT_EQ(monitor.frame->frequencyField()->text(), "0,00");
    monitor.board->reports = {DigitalReport};
    monitor.frame->Timer_WorkTimer();
    EXPECT_EQ(monitor.frame->frequencyField()->text(), "357,78");
    QLocale::setDefault(previous);
}

TEST(TMyDataFrame, AnExchangeErrorEndsTheCycleAndTheNextOneRecovers) {
    Monitor monitor;
    monitor.board->readThrows = true;
    monitor.board->reports = {AnalogReport};
    monitor.frame->Timer_WorkTimer();
    EXPECT_EQ(monitor.frame->analogField()->text(), ""); // the cycle stopped before the fields
    EXPECT_FALSE(monitor.controller.Device(0).IsCheckedOut());

    monitor.board->readThrows = false;
    monitor.frame->Timer_WorkTimer();
    EXPECT_EQ(monitor.frame->analogField()->text(), "11 22 33 00 00 00 00");
}

TEST(TMyDataFrame, PollsEveryTenthOfASecondFromCreation) {
    Monitor monitor;
    EXPECT_TRUE(monitor.frame->workTimer().isActive());
    EXPECT_EQ(monitor.frame->workTimer().interval(), 100);
}

TEST(TMyDataFrame, GoingAwaySwitchesTheFirstFiveOutputsOff) {
    Monitor monitor;
    for (int box = 1; box <= 8; ++box)
        monitor.frame->outputBox(box)->setChecked(true);
    monitor.frame->Timer_WorkTimer();
    ASSERT_EQ(monitor.lastByte2(), 0xFF);
    const size_t sent = monitor.board->written.size();
    monitor.frame.reset();
    ASSERT_EQ(monitor.board->written.size(), sent + 1);
    EXPECT_EQ(monitor.lastByte2(), 0x04 | 0x08 | 0x10); // outputs 5 to 7 as they were
}

} // namespace
