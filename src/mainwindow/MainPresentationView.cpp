// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/MainPresentationView.h"

#include "mainwindow/MainWindowColors.h"
#include "widgetkit/FormFont.h"
#include "widgetkit/ImageList.h"

#include <QLabel>
#include <QTimer>

MainPresentationView::MainPresentationView(Controls controls)
    : m_controls(std::move(controls)) {
    m_controls.Timer_Presentation->setInterval(20);
    styleTextLine(*m_controls.Lbl1);
    styleTextLine(*m_controls.Lbl2);
}

void MainPresentationView::styleTextLine(QLabel& label) {
    label.setFont(FormFont("Verdana", 21));
    QPalette colours = label.palette();
    colours.setColor(QPalette::WindowText, MainWindowColors::Text);
    label.setPalette(colours);
    label.setAutoFillBackground(false);
    label.setAttribute(Qt::WA_TranslucentBackground);
    // The sentences are read, not clicked: clicks and right clicks reach the window below.
    label.setAttribute(Qt::WA_TransparentForMouseEvents);
}

bool MainPresentationView::isWindowActive() const {
    return m_controls.window->isActiveWindow();
}

void MainPresentationView::startPresentationTimer() {
    if (!m_controls.Timer_Presentation->isActive())
        m_controls.Timer_Presentation->start();
}

void MainPresentationView::stopPresentationTimer() {
    m_controls.Timer_Presentation->stop();
}

void MainPresentationView::setStartButtonVisible(bool visible) {
    m_controls.Sb_Attraction_Show->setVisible(visible);
}

QLabel* MainPresentationView::picture(int ghost) const {
    return m_controls.Img_Ghost.at(static_cast<size_t>(ghost - 1));
}

QLabel* MainPresentationView::line(int number) const {
    return number == 1 ? m_controls.Lbl1 : m_controls.Lbl2;
}

void MainPresentationView::setGhostPicture(int ghost, int entry) {
    picture(ghost)->setPixmap(m_controls.BitmapList_Ghost->pixmap(entry));
}

void MainPresentationView::setGhostPictureVisible(int ghost, bool visible) {
    picture(ghost)->setVisible(visible);
}

void MainPresentationView::ShowGhostImages() {
    m_controls.ShowGhostImages();
}

void MainPresentationView::setTextLine(int number, const QString& text) {
    QLabel* label = line(number);
    label->setText(text);
    label->adjustSize();
}

void MainPresentationView::setTextLineVisible(int number, bool visible) {
    line(number)->setVisible(visible);
}
