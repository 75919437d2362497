// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "widgetkit/ColorKey.h"
#include "widgetkit/ImageList.h"
#include "widgetkit/PointerPoll.h"

#include <QCoreApplication>
#include <QPaintEvent>

#include <gtest/gtest.h>

#include <map>

namespace {

// Paint events per widget, from the moment it is made.
class PaintCounter : public QObject {
public:
    void watch(QWidget* widget) {
        widget->installEventFilter(this);
        m_paints[widget] = 0;
    }
    int total() const {
        int sum = 0;
        for (const auto& [widget, paints] : m_paints)
            sum += paints;
        return sum;
    }
    int of(QWidget* widget) const { return m_paints.at(widget); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++m_paints[watched];
        return false;
    }

private:
    std::map<QObject*, int> m_paints;
};

// Everything a tick could have asked to repaint, painted now.
void settle() {
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

TEST(IdleTracking, APointerThatStaysPutRepaintsNothing) {
    struct Case {
        const char* where;
        QPoint at; // in window coordinates
    };
    const Case cases[] = {
        {"over the landscape", {400, 500}},
        {"on the close button", {730, 30}},
        {"on the start button", {400, 340}},
        {"on ghost 1, its panel open", {60, 170}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        MainWindowFixture f;
        PaintCounter paints;
        for (const char* name : {"Sb_Close", "Sb_Attraction_Show", "Img_Ghost_1", "Panel_Ghost_1"})
            paints.watch(f.widget(QLatin1String(name)));
        paints.watch(&f.main);
        f.pointAt(c.at.x(), c.at.y());
        settle();
        const int afterFirstTick = paints.total();

        for (int tick = 0; tick < 10; ++tick) {
            f.main.TrackPointer();
            settle();
        }
        EXPECT_EQ(paints.total(), afterFirstTick);
    }
}

TEST(IdleTracking, AButtonWhosePictureChangesIsRepainted) {
    MainWindowFixture f;
    PaintCounter paints;
    QWidget* close = f.widget(QStringLiteral("Sb_Close"));
    paints.watch(close);
    f.pointAt(400, 500);
    settle();
    const int before = paints.of(close);
    f.pointAt(730, 30);
    settle();
    EXPECT_GT(paints.of(close), before) << "the counter sees repaints where there are some";
}

TEST(IdleTracking, TheMainWindowWatchesThePointerOnlyWhileShown) {
    MainWindowFixture f;
    PointerPoll& poll = f.main.pointerPoll();
    EXPECT_TRUE(poll.isWatching(&f.main)); // its timer was stopped by the fixture
    f.pointAt(60, 170);
    ASSERT_TRUE(f.widget(QStringLiteral("Panel_Ghost_1"))->isVisible());
    const QPoint overTest =
        f.label(QStringLiteral("Lbl_Test_Ghost_1"))->mapTo(&f.main, QPoint(5, 5));
    f.pointAt(overTest.x(), overTest.y());

    // Hidden to the tray: the label goes back to its colour at once, and from then on nothing
    // wakes the window.
    f.main.hide();
    EXPECT_FALSE(poll.isWatching(&f.main));
    EXPECT_FALSE(poll.timer().isActive());
    EXPECT_EQ(f.label(QStringLiteral("Lbl_Test_Ghost_1"))->palette().color(QPalette::WindowText),
              QColor(0x27, 0x1D, 0x52));

    // Shown again: the looks follow the pointer before the first tick.
    f.pointer.position = f.main.mapToGlobal(QPoint(730, 30));
    f.main.show();
    EXPECT_TRUE(poll.isWatching(&f.main));
    EXPECT_TRUE(poll.timer().isActive());
    EXPECT_TRUE(f.main.closeButtonHover());
}

TEST(MainWindowStart, TheSkinIsReadWhenTheWindowFirstShowsNotWhenItIsMade) {
    ProgramState state;
    FakePlatform fakes;
    GhostServices services(state, fakes.services());
    TfmMain main(state, fakes.services(), services.attraction, services.ghosts);
    EXPECT_TRUE(main.mask().isEmpty()) << "the splash comes first; nobody sees the skin yet";
    main.show();
    const QRegion shape = main.mask();
    EXPECT_TRUE(shape.contains(QPoint(400, 300)));
    EXPECT_FALSE(shape.contains(QPoint(0, 0))) << "shaped by the skin's key colour";
    main.hide();
    main.show();
    EXPECT_EQ(main.mask(), shape);
}

TEST(MainWindowStart, TheKeyColourIsLeftTransparentNotOnlyCutByTheMask) {
    // Wayland takes the mask for input only, and some compositors ignore the X shape: what the
    // window paints must hold the shape by itself.
    ProgramState state;
    FakePlatform fakes;
    GhostServices services(state, fakes.services());
    TfmMain main(state, fakes.services(), services.attraction, services.ghosts);
    main.show();
    const QImage look = main.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage skin = ImageList::picture(QStringLiteral("Img/Skin.png"));
    int keyShown = 0;
    for (int y = 0; y < look.height(); ++y)
        for (int x = 0; x < look.width(); ++x)
            keyShown += ColorKey::isKey(skin.pixel(x, y)) && qAlpha(look.pixel(x, y)) != 0;
    EXPECT_EQ(keyShown, 0);
    EXPECT_EQ(qAlpha(look.pixel(400, 300)), 255);
}

} // namespace
