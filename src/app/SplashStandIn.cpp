// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SplashStandIn.h"

#include "app/SplashArt.h"
#include "app/TfmLogo.h"

#include <QEventLoop>
#include <QPainter>
#include <QTimer>

SplashStandIn::SplashStandIn()
    : QWidget(nullptr, Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("SplashStandIn"));
    setWindowTitle(QStringLiteral("Gloamery"));
    // The splash takes the focus when it comes; this one must not take it first.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

SplashStandIn::~SplashStandIn() {
    if (m_waiting)
        m_waiting->quit();
}

void SplashStandIn::showAt(const QRect& area, int patienceMs) {
    setGeometry(TfmLogo::place(area));
    show();
    if (m_painted)
        return;
    // Painted now: the event loop proper runs only once every window is made.
    QEventLoop waiting;
    m_waiting = &waiting;
    QTimer::singleShot(patienceMs, &waiting, &QEventLoop::quit);
    waiting.exec(QEventLoop::ExcludeUserInputEvents);
    m_waiting = nullptr;
}

void SplashStandIn::paintEvent(QPaintEvent*) {
    // Drawn while the window system maps the window, as any window paints once it is exposed.
    if (m_look.isNull())
        m_look = SplashArt::firstLook(width(), height());
    QPainter(this).drawPixmap(0, 0, m_look);
    m_painted = true;
    if (m_waiting)
        QTimer::singleShot(0, m_waiting, &QEventLoop::quit);
}
