// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/PointerPoll.h"

#include "core/PointerSource.h"

#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

namespace {

// A pointer that counts how often it is read.
class CountingPointer : public PointerSource {
public:
    QPoint globalPosition() const override {
        ++reads;
        return position;
    }
    QPoint position{300, 200};
    mutable int reads = 0;
};

struct Watchers {
    CountingPointer pointer;
    PointerPoll poll{pointer, QStringLiteral("Timer_Work")};
    std::vector<std::unique_ptr<QObject>> owners;
    std::map<const QObject*, std::vector<QPoint>> seen;

    QObject* add() {
        owners.push_back(std::make_unique<QObject>());
        QObject* owner = owners.back().get();
        poll.add(owner, [this, owner](QPoint at) { seen[owner].push_back(at); });
        return owner;
    }
};

TEST(PointerPoll, OneReadingPerTickServesEveryWatchingWindowAndNoOtherWindow) {
    struct Case {
        const char* name;
        std::vector<bool> watching; // per window
        int readsPerTick;
        bool timerRuns;
    };
    const Case cases[] = {
        {"nobody watches", {false, false, false}, 0, false},
        {"one of three", {false, true, false}, 1, true},
        {"all three", {true, true, true}, 1, true},
        {"the main window and one dialog", {true, false, true}, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Watchers w;
        std::vector<QObject*> windows;
        for (size_t i = 0; i < c.watching.size(); ++i) {
            windows.push_back(w.add());
            w.poll.setWatching(windows.back(), c.watching[i]);
        }
        EXPECT_EQ(w.poll.timer().isActive(), c.timerRuns);
        EXPECT_EQ(w.poll.timer().interval(), 100);

        for (const QPoint at : {QPoint(10, 20), QPoint(11, 20), QPoint(11, 21)}) {
            w.pointer.position = at;
            const int readsBefore = w.pointer.reads;
            if (w.poll.watchingCount() > 0)
                w.poll.tick();
            EXPECT_EQ(w.pointer.reads - readsBefore, c.readsPerTick);
        }
        for (size_t i = 0; i < windows.size(); ++i) {
            const std::vector<QPoint> expected =
                c.watching[i] ? std::vector<QPoint>{{10, 20}, {11, 20}, {11, 21}}
                              : std::vector<QPoint>{};
            EXPECT_EQ(w.seen[windows[i]], expected) << "window " << i;
        }
    }
}

TEST(PointerPoll, TheTimerStopsWhenTheLastWindowStopsWatchingOrIsGone) {
    Watchers w;
    QObject* main = w.add();
    QObject* dialog = w.add();
    w.poll.setWatching(main, true);
    w.poll.setWatching(dialog, true);
    ASSERT_TRUE(w.poll.timer().isActive());

    w.poll.setWatching(main, false);
    EXPECT_TRUE(w.poll.timer().isActive()) << "the dialog still watches";
    w.owners.pop_back(); // the dialog is destroyed while watching
    EXPECT_FALSE(w.poll.timer().isActive());
    EXPECT_EQ(w.poll.watchingCount(), 0);
    w.poll.tick(); // a tick that was already due reaches nobody destroyed
    EXPECT_TRUE(w.seen[main].empty());

    w.poll.setWatching(main, true);
    EXPECT_TRUE(w.poll.timer().isActive());
    w.poll.remove(main);
    EXPECT_FALSE(w.poll.timer().isActive());
}

TEST(PointerPoll, ATickThatHidesAnotherWindowDoesNotReachIt) {
    Watchers w;
    QObject first;
    QObject* second = nullptr;
    // The first window's tick hides the second, as a dialog's close does.
    w.poll.add(&first, [&](QPoint) { w.poll.setWatching(second, false); });
    second = w.add();
    w.poll.setWatching(&first, true);
    w.poll.setWatching(second, true);
    w.poll.tick();
    EXPECT_TRUE(w.seen[second].empty());
    EXPECT_FALSE(w.poll.isWatching(second));
    EXPECT_TRUE(w.poll.isWatching(&first));
}

TEST(PointerPoll, ItsTimerTicksTheWatchingWindows) {
    Watchers w;
    QObject* main = w.add();
    w.poll.setWatching(main, true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.seen[main].size() >= 2; }, 5000));
    for (const QPoint at : w.seen[main])
        EXPECT_EQ(at, QPoint(300, 200));
}

} // namespace
