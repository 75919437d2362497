// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceError.h"
#include "device/TJvHidDeviceController.h"
#include "support/FakeHidBackend.h"
#include "support/WarningRecorder.h"

#include <gtest/gtest.h>

namespace {

constexpr quint16 Vendor = 0xABCC;

struct Harness {
    FakeHidBackend* backend = new FakeHidBackend;
    std::unique_ptr<FakeHidBackend> owned{backend};
    std::unique_ptr<TJvHidDeviceController> controller;

    void start() { controller = std::make_unique<TJvHidDeviceController>(std::move(owned)); }
    QList<QByteArray> paths() const {
        QList<QByteArray> listed;
        for (int i = 0; i < controller->Count(); ++i)
            listed.append(controller->Device(i).DevicePath());
        return listed;
    }
};

TEST(HidController, OnlyOnePerProgram) {
    Harness first;
    first.start();
    try {
        TJvHidDeviceController second(std::make_unique<FakeHidBackend>());
        FAIL() << "a second controller was made";
    } catch (const DeviceError& error) {
        EXPECT_EQ(error.message(), "Only one TJvHidDeviceController allowed per program");
    }
    first.controller.reset();
    EXPECT_NO_THROW(TJvHidDeviceController(std::make_unique<FakeHidBackend>()));
}

TEST(HidController, CheckOutTakesTheFirstFreeMatchInListOrder) {
    Harness h;
    const auto other = h.backend->add(0x1234, 3);
    const auto first = h.backend->add(Vendor, 3);
    const auto second = h.backend->add(Vendor, 3);
    const auto tenth = h.backend->add(Vendor, 10);
    h.start();

    TJvHidDevice* a = h.controller->CheckOutByID(Vendor, 3);
    TJvHidDevice* b = h.controller->CheckOutByID(Vendor, 3);
    TJvHidDevice* none = h.controller->CheckOutByID(Vendor, 3);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->DevicePath(), first->info.path);
    EXPECT_EQ(b->DevicePath(), second->info.path);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(h.controller->CheckOutByID(Vendor, 11), nullptr);

    TJvHidDevice* any = h.controller->CheckOutByID(Vendor, TJvHidDeviceController::AnyProduct);
    ASSERT_TRUE(any);
    EXPECT_EQ(any->DevicePath(), tenth->info.path);

    h.controller->CheckIn(a);
    EXPECT_EQ(a, nullptr);
    TJvHidDevice* again = h.controller->CheckOutByID(Vendor, 3);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->DevicePath(), first->info.path);
    EXPECT_EQ(other.use_count(), 2); // still listed, never lent for the wrong vendor
}

TEST(HidController, CheckInClosesTheConnection) {
    Harness h;
    const auto board = h.backend->add(Vendor, 1);
    h.start();
    TJvHidDevice* device = h.controller->CheckOutByID(Vendor, 1);
    ASSERT_TRUE(device);
    int written = 0;
    const quint8 report[9] = {};
    ASSERT_TRUE(device->WriteFile(report, 9, written));
    EXPECT_EQ(board->openConnections, 1);
    h.controller->CheckIn(device);
    EXPECT_EQ(board->openConnections, 0);
}

TEST(HidController, ADeviceIsOpenedOnlyWhileCheckedOut) {
    Harness h;
    const auto board = h.backend->add(Vendor, 1);
    h.start();
    TJvHidDevice* device = h.controller->CheckOutByID(Vendor, 1);
    ASSERT_TRUE(device);
    TJvHidDevice* held = device;
    h.controller->CheckIn(device);
    int count = 0;
    const quint8 report[9] = {};
    EXPECT_FALSE(held->WriteFile(report, 9, count));
    EXPECT_EQ(board->opens, 0);
}

TEST(HidController, HotPlugFollowsTheDevicesPresent) {
    Harness h;
    const auto a = h.backend->add(Vendor, 1);
    const auto b = h.backend->add(Vendor, 2);
    const auto c = h.backend->add(Vendor, 3);
    h.start();
    ASSERT_EQ(h.paths(), (QList{a->info.path, b->info.path, c->info.path}));

    // b is held across the change: it stays, unplugged and closed, until it is checked in.
    TJvHidDevice* heldB = h.controller->CheckOutByID(Vendor, 2);
    ASSERT_TRUE(heldB);
    int count = 0;
    const quint8 report[9] = {};
    ASSERT_TRUE(heldB->WriteFile(report, 9, count));
    h.backend->unplug(a);
    h.backend->unplug(b);
    EXPECT_EQ(h.paths(), (QList{b->info.path, c->info.path}));
    EXPECT_FALSE(heldB->IsPluggedIn());
    EXPECT_FALSE(heldB->HasOpenFile());
    EXPECT_EQ(b->openConnections, 0);
    EXPECT_EQ(h.controller->CheckOutByID(Vendor, 1), nullptr);

    const auto d = h.backend->add(Vendor, 4);
    h.backend->plug(a);
    EXPECT_EQ(h.paths(), (QList{b->info.path, c->info.path, d->info.path, a->info.path}));

    h.controller->CheckIn(heldB);
    EXPECT_EQ(h.paths(), (QList{c->info.path, d->info.path, a->info.path}));
    TJvHidDevice* back = h.controller->CheckOutByID(Vendor, 1);
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->IsPluggedIn());
}

// Its user logs the failure once; the device only keeps the reason, until an opening succeeds.
TEST(HidController, AFailingOpenKeepsItsReasonUntilAnOpeningSucceeds) {
    Harness h;
    const auto board = h.backend->add(Vendor, 1);
    board->openFails = true;
    h.start();
    const WarningRecorder warnings("gloamery.device");
    for (const bool fails : {true, true, false}) {
        board->openFails = fails;
        TJvHidDevice* device = h.controller->CheckOutByID(Vendor, 1);
        ASSERT_TRUE(device);
        int count = 0;
        quint8 buffer[9] = {};
        EXPECT_EQ(device->WriteFile(buffer, 9, count), !fails);
        EXPECT_EQ(device->OpenError(), fails ? QStringLiteral("permission denied") : QString());
        h.controller->CheckIn(device);
    }
    EXPECT_EQ(board->opens, 3);
    EXPECT_TRUE(warnings.messages().isEmpty());
}

} // namespace
