// SPDX-License-Identifier: GPL-3.0-or-later
// The splash's hidden monitor pages: one per board the boards' service found.
#include "app/FirstRun.h"
#include "app/TfmLogo.h"
#include "core/ProgramState.h"
#include "device/HouseBoards.h"
#include "device/TMyDataFrame.h"
#include "support/FakeHidBackend.h"
#include "support/FakePlatform.h"
#include "support/TempStore.h"

#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QStringList captions(const TfmLogo& splash) {
    QStringList listed;
    for (int page = 0; page < splash.devicePages()->count(); ++page)
        listed.append(splash.devicePages()->tabText(page));
    return listed;
}

TEST(BoardDiscovery, OnePagePerBoardFoundWhetherTheSearchEndsBeforeOrAfterTheSplashIsMade) {
    for (const bool searchFirst : {true, false}) {
        TempStore temp;
        FakePlatform platform;
        FakeHidBackendFactory boards;
        ProgramState state;
        boards.backend().add(0xABCC, 10);
        boards.backend().add(0xABCC, 3);
        HouseBoards house(&boards);
        if (searchFirst) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return house.searchDone(); }));
        }
        FirstRun firstRun(nullptr, nullptr);
        TfmLogo splash(state, platform.services(&temp.store()), firstRun, Language::English, house);
        ASSERT_TRUE(QTest::qWaitFor([&] { return house.searchDone(); }));
        EXPECT_EQ(captions(splash), (QStringList{"PID: 0003", "PID: 000A"})) << searchFirst;
        EXPECT_FALSE(splash.devicePages()->isVisible());
        for (int page = 0; page < splash.devicePages()->count(); ++page)
            EXPECT_NE(splash.devicePages()->widget(page)->findChild<TMyDataFrame*>(), nullptr);
    }
}

} // namespace
