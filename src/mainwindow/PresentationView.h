// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the presentation needs of the main window. Ghosts are 1 to 4, text lines 1 (Lbl1) and
// 2 (Lbl2).
class PresentationView {
public:
    virtual ~PresentationView() = default;

    // Pauses the presentation while another window has the focus.
    virtual bool isWindowActive() const = 0;

    // Timer_Presentation: starting one that already runs must keep its phase.
    virtual void startPresentationTimer() = 0;
    virtual void stopPresentationTimer() = 0;

    virtual void setStartButtonVisible(bool visible) = 0;

    virtual void setGhostPicture(int ghost, int entry) = 0;
    virtual void setGhostPictureVisible(int ghost, bool visible) = 0;
    // ShowGhostImages: all four pictures visible.
    virtual void ShowGhostImages() = 0;

    // The line takes the text and the size of it; an empty text leaves an empty, visible line.
    virtual void setTextLine(int line, const QString& text) = 0;
    virtual void setTextLineVisible(int line, bool visible) = 0;
};
