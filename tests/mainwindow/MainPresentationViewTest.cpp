// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/MainPresentationView.h"

#include "widgetkit/ImageList.h"

#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <thread>

namespace {

class MainPresentationViewTest : public ::testing::Test {
protected:
    MainPresentationViewTest() {
        window.resize(800, 600);
        for (size_t k = 0; k < 4; ++k) {
            images[k] = new QLabel(&window);
            images[k]->setGeometry(45 + 195 * static_cast<int>(k), 152, 120, 120);
        }
    }

    MainPresentationView::Controls controls() {
        MainPresentationView::Controls c;
        c.window = &window;
        c.Timer_Presentation = &timer;
        c.Sb_Attraction_Show = startButton;
        c.Lbl1 = lbl1;
        c.Lbl2 = lbl2;
        c.Img_Ghost = images;
        c.BitmapList_Ghost = &ghosts;
        c.ShowGhostImages = [this] {
            ++showGhostImages;
        };
        return c;
    }

    QWidget window;
    QWidget* startButton = new QWidget(&window);
    QLabel* lbl1 = new QLabel(&window);
    QLabel* lbl2 = new QLabel(&window);
    std::array<QLabel*, 4> images{};
    QTimer timer;
    ImageList ghosts{QStringLiteral("BitmapList_Ghost")};
    int showGhostImages = 0;
};

TEST_F(MainPresentationViewTest, TextLinesAreLargeLightBlueAndSizedToTheirText) {
    MainPresentationView view(controls());
    EXPECT_EQ(lbl1->font().pixelSize(), 21);
    EXPECT_EQ(lbl2->palette().color(QPalette::WindowText), QColor(0xD7, 0xED, 0xFF));

    view.setTextLine(1, QStringLiteral("Every ghost has a hobby!"));
    const int shortWidth = lbl1->width();
    view.setTextLine(1, QStringLiteral("Do not forget to turn on the computer speakers!"));
    EXPECT_GT(lbl1->width(), shortWidth);
    view.setTextLine(1, QString());
    EXPECT_LT(lbl1->width(), shortWidth);
}

TEST_F(MainPresentationViewTest, StartingTheRunningTimerKeepsItsPhase) {
    MainPresentationView view(controls());
    EXPECT_EQ(timer.interval(), 20);
    view.startPresentationTimer();
    ASSERT_TRUE(timer.isActive());
    std::this_thread::sleep_for(std::chrono::milliseconds(12));
    view.startPresentationTimer();
    // Restarted, the timer would again be a full 20 ms from firing.
    EXPECT_LT(timer.remainingTime(), 15);
    view.stopPresentationTimer();
    EXPECT_FALSE(timer.isActive());
}

TEST_F(MainPresentationViewTest, PicturesComeFromTheGhostList) {
    MainPresentationView view(controls());
    ASSERT_EQ(ghosts.count(), 40) << "the artwork is built before the tests";
    view.setGhostPicture(3, 29);
    EXPECT_EQ(images[2]->pixmap().toImage(),
              ghosts.image(29).convertToFormat(images[2]->pixmap().toImage().format()));
    view.setGhostPictureVisible(3, false);
    EXPECT_TRUE(images[2]->isHidden());
    view.ShowGhostImages();
    EXPECT_EQ(showGhostImages, 1);
}

} // namespace
