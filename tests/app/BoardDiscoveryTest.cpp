// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FirstRun.h"
#include "app/TfmLogo.h"
#include "core/ProgramState.h"
#include "device/TMyDataFrame.h"
#include "support/FakeHidBackend.h"
#include "support/FakePlatform.h"
#include "support/TempStore.h"

#include <QCheckBox>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

struct BoardId {
    quint16 vendor;
    quint16 product;
};

struct DiscoveryFixture {
    TempStore temp;
    FakePlatform platform;
    FakeHidBackendFactory boards;
    ProgramState state;
    FirstRun firstRun{nullptr, nullptr};
    std::vector<std::shared_ptr<FakeBoard>> present;

    std::unique_ptr<TfmLogo> makeSplash(const std::vector<BoardId>& ids) {
        for (const BoardId& id : ids)
            present.push_back(boards.backend().add(id.vendor, id.product));
        PlatformServices services = platform.services(&temp.store());
        services.boards = &boards;
        return std::make_unique<TfmLogo>(state, services, firstRun, Language::English);
    }
};

QStringList captions(const TfmLogo& splash) {
    QStringList listed;
    for (int page = 0; page < splash.devicePages()->count(); ++page)
        listed.append(splash.devicePages()->tabText(page));
    return listed;
}

TMyDataFrame* frameOnPage(const TfmLogo& splash, int page) {
    return splash.devicePages()->widget(page)->findChild<TMyDataFrame*>();
}

TEST(BoardDiscovery, OnePagePerProductIdInIncreasingOrder) {
    struct Case {
        const char* name;
        std::vector<BoardId> boards;
        QStringList pages;
    };
    const Case cases[] = {
        {"none", {}, {}},
        {"3 and 10", {{0xABCC, 3}, {0xABCC, 10}}, {"PID: 0003", "PID: 000A"}},
        {"listed backwards", {{0xABCC, 10}, {0xABCC, 1}}, {"PID: 0001", "PID: 000A"}},
        {"not ours", {{0xABCC, 11}, {0xABCC, 0}, {0x1234, 3}}, {}},
        {"one id twice", {{0xABCC, 7}, {0xABCC, 7}}, {"PID: 0007"}},
    };
    for (const Case& c : cases) {
        DiscoveryFixture f;
        const auto splash = f.makeSplash(c.boards);
        EXPECT_EQ(captions(*splash), c.pages) << c.name;
        EXPECT_FALSE(splash->devicePages()->isVisible()) << c.name;
        for (int page = 0; page < splash->devicePages()->count(); ++page) {
            ASSERT_NE(frameOnPage(*splash, page), nullptr) << c.name;
            EXPECT_TRUE(frameOnPage(*splash, page)->workTimer().isActive()) << c.name;
        }
        // Discovery hands every board back, so the monitors can take them.
        for (const auto& board : f.present)
            EXPECT_EQ(board->openConnections, 0) << c.name;
    }
}

TEST(BoardDiscovery, TwoBoardsWithOneIdAreServedFirstFreeFirst) {
    DiscoveryFixture f;
    const auto splash = f.makeSplash({{0xABCC, 7}, {0xABCC, 7}});
    frameOnPage(*splash, 0)->Timer_WorkTimer();
    EXPECT_EQ(f.present[0]->written.size(), 1u);
    EXPECT_TRUE(f.present[1]->written.empty());
}

TEST(BoardDiscovery, ShutdownSwitchesTheFirstFiveOutputsOffOnEveryBoard) {
    DiscoveryFixture f;
    auto splash = f.makeSplash({{0xABCC, 2}, {0xABCC, 5}});
    for (int page = 0; page < 2; ++page) {
        TMyDataFrame* frame = frameOnPage(*splash, page);
        for (int box = 1; box <= 8; ++box)
            frame->outputBox(box)->setChecked(true);
        frame->Timer_WorkTimer();
    }
    splash.reset();
    for (const auto& board : f.present) {
        ASSERT_EQ(board->written.size(), 2u);
        EXPECT_EQ(board->written.back().at(2), 0x1C);
    }
}

TEST(BoardDiscovery, ASecondControllerLeavesItsSplashWithoutPages) {
    DiscoveryFixture first;
    const auto splash = first.makeSplash({{0xABCC, 1}});
    DiscoveryFixture second;
    const auto other = second.makeSplash({{0xABCC, 2}});
    EXPECT_EQ(captions(*splash), QStringList{"PID: 0001"});
    EXPECT_TRUE(captions(*other).isEmpty());
}

} // namespace
