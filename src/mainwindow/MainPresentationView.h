// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/PresentationView.h"

#include <array>
#include <functional>

class ImageList;
class QLabel;
class QTimer;
class QWidget;

// The presentation shown on the main window's own controls.
class MainPresentationView : public PresentationView {
public:
    struct Controls {
        QWidget* window = nullptr;
        QTimer* Timer_Presentation = nullptr;
        QWidget* Sb_Attraction_Show = nullptr;
        QLabel* Lbl1 = nullptr;
        QLabel* Lbl2 = nullptr;
        std::array<QLabel*, 4> Img_Ghost{};
        const ImageList* BitmapList_Ghost = nullptr;
        std::function<void()> ShowGhostImages;
    };

    explicit MainPresentationView(Controls controls);

    // The look of Lbl1 and Lbl2: large light-blue sentences straight on the skin.
    static void styleTextLine(QLabel& label);

    bool isWindowActive() const override;
    void startPresentationTimer() override;
    void stopPresentationTimer() override;
    void setStartButtonVisible(bool visible) override;
    void setGhostPicture(int ghost, int entry) override;
    void setGhostPictureVisible(int ghost, bool visible) override;
    void ShowGhostImages() override;
    void setTextLine(int line, const QString& text) override;
    void setTextLineVisible(int line, bool visible) override;

private:
    QLabel* line(int number) const;
    QLabel* picture(int ghost) const;

    Controls m_controls;
};
