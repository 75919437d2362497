// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/IndicatorLamp.h"

#include <QPainter>

IndicatorLamp::IndicatorLamp(QWidget* parent)
    : QWidget(parent) {}

void IndicatorLamp::setFill(const QColor& fill) {
    m_fill = fill;
    update();
}

void IndicatorLamp::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QColor(0x00, 0x56, 0x80));
    painter.setBrush(m_fill);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
