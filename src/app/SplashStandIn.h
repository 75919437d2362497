// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QWidget>

class QEventLoop;

// The splash as it looks at its first tick, shown before the windows are made: a person sees
// the program start at once, not after every window has loaded its settings. The splash itself
// takes over the moment it has painted (TfmLogo::setStandIn).
class SplashStandIn : public QWidget {
public:
    SplashStandIn();
    ~SplashStandIn() override;

    // Shows it where the splash will stand and returns once it has painted, or after
    // `patienceMs` when the window system does not let it show.
    void showAt(const QRect& area, int patienceMs = 250);
    bool painted() const { return m_painted; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_look;
    bool m_painted = false;
    QEventLoop* m_waiting = nullptr;
};
