// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/SkinnedDialog.h"

#include "core/ProgramState.h"
#include "support/CloseButtonCases.h"
#include "support/FakePointer.h"
#include "widgetkit/ImageList.h"
#include "widgetkit/PointerPoll.h"
#include "widgetkit/SkinParts.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMoveEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const ImageList& yellow() {
    static const ImageList list(QStringLiteral("BitmapList_Yellow"));
    return list;
}

// The smallest dialog on the kit: it counts its openings and closings and has one hover control.
class SampleDialog : public SkinnedDialog {
public:
    SampleDialog(ProgramState& state, const PointerSource& pointer, int& openings, int& closings)
        : SkinnedDialog("fmSample", state, pointer, yellow())
        , m_openings(openings)
        , m_closings(closings) {
        control = SkinParts::button(this, QStringLiteral("Sample"), {200, 150, 40, 30});
    }
    ~SampleDialog() override { closeIfOpen(); }

    using SkinnedDialog::hovered;

    QLabel* control;
    bool controlHovered = false;

protected:
    void FormShow() override { ++m_openings; }
    void FormClose() override { ++m_closings; }
    void trackPointer() override { controlHovered = hovered(control); }

private:
    int& m_openings;
    int& m_closings;
};

// Where the dialog stood each time it was shown, and whether it moved elsewhere afterwards.
class ShowWatcher : public QObject {
public:
    explicit ShowWatcher(QWidget* window)
        : m_window(window) {
        window->installEventFilter(this);
    }
    QPoint atShow{-1, -1};
    int movesAfterShow = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show)
            atShow = m_window->geometry().topLeft();
        else if (event->type() == QEvent::Hide)
            atShow = {-1, -1};
        else if (event->type() == QEvent::Move && atShow != QPoint(-1, -1) &&
                 static_cast<QMoveEvent*>(event)->pos() != atShow)
            ++movesAfterShow;
        return false;
    }

private:
    QWidget* m_window;
};

struct Fixture {
    ProgramState state;
    FakePointer pointer;
    QWidget mainWindow;
    int openings = 0;
    int closings = 0;
    std::unique_ptr<SampleDialog> dialog;

    Fixture() {
        mainWindow.setGeometry(240, 10, 800, 600);
        dialog = std::make_unique<SampleDialog>(state, pointer, openings, closings);
        dialog->setMainWindow(&mainWindow);
    }
    QLabel* closeButton() const { return dialog->findChild<QLabel*>(QStringLiteral("Sb_Close")); }
    int closeImage() const { return SkinParts::shownEntry(closeButton()); }
    void pointAt(QPoint screen) {
        pointer.position = screen;
        dialog->Timer_WorkTimer();
    }
};

TEST(SkinnedDialog, IsPlacedBesideTheMainWindowBeforeItShowsAndStaysThere) {
    Fixture f;
    ShowWatcher watcher(f.dialog.get());
    for (QPoint mainAt : {QPoint(240, 10), QPoint(60, 120)}) {
        f.mainWindow.move(mainAt);
        f.dialog->show();
        EXPECT_EQ(watcher.atShow, mainAt + QPoint(6, 55)) << "placed when the window shows";
        QApplication::processEvents();
        EXPECT_EQ(watcher.movesAfterShow, 0) << "no move after the window system has it";
        EXPECT_EQ(f.dialog->pos(), mainAt + QPoint(6, 55));
        EXPECT_EQ(f.dialog->size(), QSize(790, 520));
        f.dialog->close();
    }
}

TEST(SkinnedDialog, EveryWayOfClosingEndsTheOpeningOnceAndClearsDialogOpen) {
    const std::function<void(Fixture&)> ways[] = {
        [](Fixture& f) { QTest::mouseClick(f.closeButton(), Qt::LeftButton); },
        [](Fixture& f) { QTest::keyClick(f.dialog.get(), Qt::Key_Escape); },
        [](Fixture& f) { f.dialog->close(); },
        [](Fixture& f) { f.dialog->hide(); },
        [](Fixture& f) { f.dialog.reset(); },
    };
    int way = 0;
    for (const auto& closeIt : ways) {
        Fixture f;
        f.dialog->show();
        EXPECT_TRUE(f.state.DialogOpen);
        EXPECT_EQ(f.openings, 1);
        EXPECT_EQ(f.dialog->focusWidget(), f.dialog->findChild<QLineEdit*>("Edit_Focus"));
        EXPECT_NEAR(f.dialog->windowOpacity(), 245.0 / 255.0, 0.01);
        closeIt(f);
        if (f.dialog) {
            EXPECT_FALSE(f.dialog->isVisible()) << way;
            f.dialog->hide(); // a second hide is no second closing
        }
        EXPECT_EQ(f.closings, 1) << way;
        EXPECT_FALSE(f.state.DialogOpen) << way;
        ++way;
    }
}

TEST(SkinnedDialog, AMinimiseAndItsRestoreAreNoNewOpening) {
    Fixture f;
    f.dialog->show();
    f.dialog->showMinimized();
    QApplication::processEvents();
    f.dialog->showNormal();
    QApplication::processEvents();
    EXPECT_EQ(f.openings, 1);
    EXPECT_EQ(f.closings, 0);
    EXPECT_TRUE(f.state.DialogOpen);
}

TEST(SkinnedDialog, TheCloseButtonLightsByLanguageHoverAndPress) {
    for (const CloseButtonCase& c : CloseButtonCases) {
        Fixture f;
        f.state.InterfaceLanguage = c.language;
        f.dialog->show();
        if (c.pressed)
            QTest::mousePress(f.closeButton(), Qt::LeftButton, {}, QPoint(5, 5));
        f.pointAt(f.dialog->pos() + QPoint(608, 460) + c.at);
        EXPECT_EQ(f.closeImage(), c.image) << static_cast<int>(c.language) << " at " << c.at.x()
                                           << "," << c.at.y() << " pressed " << c.pressed;
    }
}

TEST(SkinnedDialog, HoverFollowsTheDialogWhereverItIsMoved) {
    Fixture f;
    f.dialog->show();
    for (QPoint origin : {QPoint(246, 65), QPoint(10, 300), QPoint(500, 0)}) {
        f.dialog->move(origin);
        EXPECT_EQ(f.dialog->screenRect(f.dialog->control),
                  QRect(origin + QPoint(200, 150), QSize(40, 30)));
        f.pointAt(origin + QPoint(201, 151));
        EXPECT_TRUE(f.dialog->controlHovered) << origin.x() << "," << origin.y();
        f.pointAt(origin + QPoint(700, 480));
        EXPECT_EQ(f.closeImage(), 7) << origin.x() << "," << origin.y();
        f.pointAt(origin + QPoint(200, 151));
        EXPECT_FALSE(f.dialog->controlHovered) << "the first column does not count";
    }
    f.dialog->hide();
    f.pointAt(f.dialog->pos() + QPoint(210, 160));
    EXPECT_FALSE(f.dialog->controlHovered) << "a hidden dialog holds nothing";
}

TEST(SkinnedDialog, WatchesThePointerOnlyWhileOpenOnItsOwnPollOrTheSharedOne) {
    for (const bool shared : {false, true}) {
        SCOPED_TRACE(shared ? "on the main window's poll" : "on a poll of its own");
        Fixture f;
        PointerPoll mainPoll(f.pointer, QStringLiteral("Timer_Work"));
        QObject mainWindowWatching;
        mainPoll.add(&mainWindowWatching, [](QPoint) {});
        mainPoll.setWatching(&mainWindowWatching, true);
        if (shared)
            f.dialog->sharePointerPoll(mainPoll);
        const PointerPoll& poll = f.dialog->pointerPoll();
        EXPECT_EQ(&poll == &mainPoll, shared);

        struct Step {
            const char* what;
            std::function<void()> act;
            bool watching;
        };
        const Step steps[] = {
            {"made", [] {}, false},
            {"opened", [&] { f.dialog->show(); }, true},
            {"closed", [&] { f.dialog->close(); }, false},
            {"opened again", [&] { f.dialog->show(); }, true},
            {"hidden by its opener", [&] { f.dialog->hide(); }, false},
        };
        for (const Step& step : steps) {
            SCOPED_TRACE(step.what);
            step.act();
            EXPECT_EQ(poll.isWatching(f.dialog.get()), step.watching);
            EXPECT_EQ(mainPoll.watchingCount(), 1 + (shared && step.watching ? 1 : 0));
            if (!shared) {
                EXPECT_EQ(poll.timer().isActive(), step.watching);
            }
        }
    }
}

TEST(SkinnedDialog, ASharedTickLightsTheCloseButtonOfTheOpenDialog) {
    Fixture f;
    PointerPoll mainPoll(f.pointer, QStringLiteral("Timer_Work"));
    f.dialog->sharePointerPoll(mainPoll);
    f.dialog->show();
    f.pointer.position = f.dialog->pos() + QPoint(700, 480);
    mainPoll.tick();
    EXPECT_EQ(f.closeImage(), 7);
    f.pointer.position = f.dialog->pos() + QPoint(100, 100);
    mainPoll.tick();
    EXPECT_EQ(f.closeImage(), 6);
}

} // namespace
