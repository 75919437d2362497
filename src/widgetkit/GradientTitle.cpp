// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/GradientTitle.h"

#include "widgetkit/FormFont.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int Steps = 128;
const QColor From(0x02, 0x5C, 0xBF);
const QColor To(0xE1, 0xFF, 0xFC);
const QColor Silver(0xC0, 0xC0, 0xC0);
constexpr int TextLeft = 4;

int blend(int from, int to, int step) {
    return from + (to - from) * step / (Steps - 1);
}

} // namespace

GradientTitle::GradientTitle(QWidget* parent, const QRect& place)
    : QWidget(parent)
    , m_minimumWidth(place.width()) {
    setGeometry(place);
    setFont(FormFont("Verdana", 19, true));
}

void GradientTitle::setText(const QString& text) {
    m_text = text;
    resize(std::max(m_minimumWidth, fontMetrics().horizontalAdvance(text) + 2 * TextLeft + 2),
           height());
    update();
}

void GradientTitle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int w = width();
    for (int step = 0; step < Steps; ++step) {
        const int left = w * step / Steps;
        const int right = w * (step + 1) / Steps;
        painter.fillRect(left, 0, right - left, height(),
                         QColor(blend(From.red(), To.red(), step),
                                blend(From.green(), To.green(), step),
                                blend(From.blue(), To.blue(), step)));
    }
    const QRect box = rect().adjusted(TextLeft, 0, 0, 0);
    // Silver alone fades into the gradient's pale end: a dark outline keeps it legible.
    painter.setPen(QColor(0x10, 0x2A, 0x50));
    for (const QPoint offset : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(1, 1)})
        painter.drawText(box.translated(offset), Qt::AlignLeft | Qt::AlignVCenter, m_text);
    painter.setPen(Silver);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, m_text);
}
