// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/WindowDrag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

enum class Kind { Press, Move, MoveUp, Release };

struct Step {
    Kind kind;
    QPoint at; // on the screen
};

// A window at (100, 100) dragged by its own surface; `wmTakesIt` says whether a window manager
// answers the system move. The surface tracks the pointer, so it also sees moves without a
// button.
struct Dragged {
    QWidget window{nullptr, Qt::FramelessWindowHint};
    int systemMoves = 0;

    explicit Dragged(bool wmTakesIt) {
        window.setGeometry(100, 100, 300, 200);
        window.setMouseTracking(true);
        WindowDrag::install(&window, &window, [this, wmTakesIt] {
            ++systemMoves;
            return wmTakesIt;
        });
    }
    void send(const Step& step) {
        const QPointF local = step.at - window.geometry().topLeft();
        const bool down = step.kind == Kind::Press || step.kind == Kind::Move;
        const QEvent::Type type = step.kind == Kind::Press     ? QEvent::MouseButtonPress
                                  : step.kind == Kind::Release ? QEvent::MouseButtonRelease
                                                               : QEvent::MouseMove;
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, local, QPointF(step.at), button,
                          down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &event);
    }
};

TEST(WindowDrag, TheWindowManagerIsAskedOnlyOnceThePointerMovedWithTheButtonDown) {
    struct Case {
        const char* what;
        std::vector<Step> steps;
        int systemMoves;
    };
    const Case cases[] = {
        {"a quick click", {{Kind::Press, {150, 150}}, {Kind::Release, {150, 150}}}, 0},
        {"a quick click, then the pointer moves on",
         {{Kind::Press, {150, 150}}, {Kind::Release, {150, 150}}, {Kind::MoveUp, {200, 190}}},
         0},
        {"a press that has not moved yet",
         {{Kind::Press, {150, 150}}, {Kind::Move, {150, 150}}},
         0},
        {"a press and a move", {{Kind::Press, {150, 150}}, {Kind::Move, {151, 150}}}, 1},
        {"a drag asks once",
         {{Kind::Press, {150, 150}},
          {Kind::Move, {160, 150}},
          {Kind::Move, {170, 150}},
          {Kind::Release, {170, 150}}},
         1},
        {"the release was lost: a move without the button",
         {{Kind::Press, {150, 150}}, {Kind::MoveUp, {170, 160}}, {Kind::Move, {180, 170}}},
         0},
    };
    for (const Case& c : cases) {
        Dragged d(true);
        for (const Step& step : c.steps)
            d.send(step);
        EXPECT_EQ(d.systemMoves, c.systemMoves) << c.what;
        EXPECT_EQ(d.window.pos(), QPoint(100, 100)) << c.what << ": the window manager moves it";
    }
}

TEST(WindowDrag, WithoutAWindowManagerTheWindowFollowsThePointerUntilRelease) {
    Dragged d(false);
    d.send({Kind::Press, {150, 150}});
    d.send({Kind::Release, {150, 150}});
    d.send({Kind::MoveUp, {250, 250}});
    EXPECT_EQ(d.window.pos(), QPoint(100, 100)) << "a quick click leaves it in place";

    d.send({Kind::Press, {150, 150}});
    d.send({Kind::Move, {170, 140}});
    EXPECT_EQ(d.window.pos(), QPoint(120, 90)) << "no step lost to the first move";
    d.send({Kind::Move, {200, 160}});
    EXPECT_EQ(d.window.pos(), QPoint(150, 110));
    d.send({Kind::Release, {200, 160}});
    d.send({Kind::MoveUp, {300, 300}});
    EXPECT_EQ(d.window.pos(), QPoint(150, 110)) << "released: it stays";
}

} // namespace
