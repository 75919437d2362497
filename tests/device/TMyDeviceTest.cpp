// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/TMyDevice.h"

#include "device/DeviceError.h"
#include "device/TJvHidDeviceController.h"
#include "support/FakeHidBackend.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr quint16 Vendor = 0xABCC;

// Data bytes as a board sends them: the report without its id.
const std::vector<quint8> DigitalReport = {0x01, 0xA5, 0x10, 0x20, 0x30, 0x40, 0xE8, 0x03};
const std::vector<quint8> AnalogReport = {0x00, 0xFF, 0x11, 0x22, 0x33, 0x06, 0xFF, 0xFF};

struct Board {
    FakeHidBackend* backend = new FakeHidBackend;
    std::shared_ptr<FakeBoard> fake;
    std::unique_ptr<TJvHidDeviceController> controller;
    std::unique_ptr<TMyDevice> device;

    explicit Board(quint16 productId = 5, int inputLength = 9) {
        fake = backend->add(Vendor, productId, inputLength);
        controller =
            std::make_unique<TJvHidDeviceController>(std::unique_ptr<FakeHidBackend>(backend));
        device = std::make_unique<TMyDevice>(controller.get());
        device->ProductID = productId;
    }
    bool checkedOut() const { return controller->Device(0).IsCheckedOut(); }
};

TEST(TMyDevice, IndexesOutsideTheBoardRaiseRangeErrors) {
    TMyDevice device(nullptr);
    struct Case {
        const char* field;
        std::function<void(int)> touch;
        int last;
    };
    const Case cases[] = {
        {"AInputs", [&](int i) { device.AInputs(i); }, 6},
        {"DInputs", [&](int i) { device.DInputs(i); }, 8},
        {"FDOutputs", [&](int i) { device.SetDOutputs(i, 1); }, 12},
    };
    for (const Case& c : cases) {
        EXPECT_NO_THROW(c.touch(0)) << c.field;
        EXPECT_NO_THROW(c.touch(c.last)) << c.field;
        for (int bad : {-1, c.last + 1, 1000}) {
            try {
                c.touch(bad);
                ADD_FAILURE() << c.field << " index " << bad << " was accepted";
            } catch (const DeviceRangeError& error) {
                EXPECT_EQ(error.message(),
                          QStringLiteral("TMyDevice: index of %1 out of bouds - %2")
                              .arg(QLatin1String(c.field))
                              .arg(bad));
            }
        }
    }
    EXPECT_EQ(device.DOutputs(12), 1);
}

TEST(TMyDevice, StartsAtTheBoardsVendorAndEmptyInputs) {
    TMyDevice device(nullptr);
    EXPECT_EQ(device.VendorID, 0xABCC);
    EXPECT_EQ(device.ProductID, 1);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(device.AInputs(i), 0);
    for (int i = 0; i < 9; ++i)
        EXPECT_FALSE(device.DInputs(i));
    EXPECT_EQ(device.Frequency(), 0);
    EXPECT_FALSE(device.Input10());
    EXPECT_NO_THROW(device.Exchange());
}

TEST(TMyDevice, ExchangeSendsTheOutputsAndTakesInBothKinds) {
    Board board;
    for (int output : {0, 2, 5, 9, 12})
        board.device->SetDOutputs(output, 1);
    board.fake->reports = {DigitalReport, AnalogReport};

    board.device->Exchange();
    ASSERT_EQ(board.fake->written.size(), 1u);
    EXPECT_EQ(board.fake->written[0], (std::vector<quint8>{0, 0, 0x25, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(board.fake->readTimeouts, std::vector<int>{TMyDevice::ReadLimitMs});
    const std::vector<bool> digital = {true, false, true, false, false, true, false, true};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(board.device->DInputs(i), digital[static_cast<size_t>(i)]) << i;
    EXPECT_EQ(board.device->AInputs(3), 0x10);
    EXPECT_EQ(board.device->AInputs(6), 0x40);
    EXPECT_NEAR(board.device->Frequency(), 1000 / 2.795, 1e-9);
    EXPECT_EQ(board.device->AInputs(0), 0);

    board.device->Exchange();
    EXPECT_EQ(board.device->AInputs(0), 0x11);
    EXPECT_EQ(board.device->AInputs(2), 0x33);
    EXPECT_TRUE(board.device->DInputs(8));
    EXPECT_TRUE(board.device->Input10());
    EXPECT_TRUE(board.device->DInputs(0)); // the first report's inputs stay
    EXPECT_NEAR(board.device->Frequency(), 1000 / 2.795, 1e-9);
    EXPECT_FALSE(board.checkedOut());
    EXPECT_EQ(board.fake->openConnections, 0);
}

TEST(TMyDevice, ASilentOrMissingBoardLeavesEveryInput) {
    Board board;
    board.fake->reports = {DigitalReport};
    board.device->Exchange();
    const double frequency = board.device->Frequency();

    board.device->Exchange(); // nothing queued: the read runs into its limit
    EXPECT_EQ(board.fake->written.size(), 2u);
    EXPECT_TRUE(board.device->DInputs(0));
    EXPECT_EQ(board.device->Frequency(), frequency);
    EXPECT_FALSE(board.checkedOut());

    board.backend->unplug(board.fake);
    board.fake->reports = {AnalogReport};
    board.device->Exchange();
    EXPECT_EQ(board.fake->written.size(), 2u);
    EXPECT_EQ(board.device->AInputs(0), 0);

    board.backend->plug(board.fake);
    board.device->Exchange();
    EXPECT_EQ(board.device->AInputs(0), 0x11);
}

TEST(TMyDevice, AFailedWriteStillReads) {
    Board board;
    board.fake->writeFails = true;
    board.fake->reports = {AnalogReport};
    board.device->Exchange();
    EXPECT_EQ(board.device->AInputs(1), 0x22);
}

TEST(TMyDevice, ABoardHeldElsewhereIsLeftAlone) {
    Board board;
    board.fake->reports = {DigitalReport};
    TJvHidDevice* held = board.controller->CheckOutByID(Vendor, 5);
    board.device->Exchange();
    EXPECT_TRUE(board.fake->written.empty());
    EXPECT_FALSE(board.device->DInputs(0));
    board.controller->CheckIn(held);
}

TEST(TMyDevice, AnErrorDuringTheExchangeStillChecksTheBoardIn) {
    Board board;
    board.fake->throwingReads = 1;
    EXPECT_THROW(board.device->Exchange(), std::runtime_error);
    EXPECT_FALSE(board.checkedOut());
    EXPECT_EQ(board.fake->openConnections, 0);
}

TEST(TMyDevice, OversizedReportsStayInsideTheBuffers) {
    for (int claimedLength : {0, 9, 64, 65, 4096}) {
        Board board(5, claimedLength);
        std::vector<quint8> huge(5000, 0xFF);
        huge[0] = 0x00;
        huge[5] = 0x06;
        board.fake->reports = {huge};
        board.device->Exchange();
        EXPECT_EQ(board.device->AInputs(0), 0xFF) << claimedLength;
        EXPECT_TRUE(board.device->Input10()) << claimedLength;
        ASSERT_EQ(board.fake->written.size(), 1u);
        EXPECT_EQ(board.fake->written[0].size(), 9u);
    }
}

} // namespace
