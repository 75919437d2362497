// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/PointerProbe.h"

#include "support/FakePointer.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(PointerProbe, ControlsHoldThePointerOnlyStrictlyInside) {
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setGeometry(100, 50, 400, 300);
    auto* panel = new QWidget(&window);
    panel->setGeometry(40, 30, 120, 120);
    auto* label = new QWidget(panel);
    label->setGeometry(8, 28, 20, 16); // screen (148, 108) to (168, 124)
    window.show();

    FakePointer pointer;
    PointerProbe probe(pointer);
    struct Case {
        QPoint at;
        bool inPanel;
        bool inLabel;
    };
    const Case cases[] = {
        {{140, 100}, false, false},                            // the panel's first corner pixel
        {{141, 101}, true, false},  {{148, 110}, true, false}, // the label's first column
        {{149, 109}, true, true},   {{167, 123}, true, true},   {{168, 123}, true, false},
        {{259, 199}, true, false},  {{260, 150}, false, false}, {{150, 200}, false, false},
        {{20, 20}, false, false},
    };
    for (const Case& c : cases) {
        pointer.position = c.at;
        probe.sample();
        EXPECT_EQ(probe.inside(panel), c.inPanel) << c.at.x() << "," << c.at.y();
        EXPECT_EQ(probe.inside(label), c.inLabel) << c.at.x() << "," << c.at.y();
    }
    pointer.position = {150, 110};
    probe.sample();
    EXPECT_TRUE(probe.insideRect(&window, QRect(45, 55, 10, 10)));
    window.hide();
    EXPECT_FALSE(probe.inside(label)) << "a hidden window holds nothing";
    EXPECT_FALSE(probe.insideRect(&window, QRect(45, 55, 10, 10)));
}

} // namespace
