// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/CaptionedMenu.h"

#include "widgetkit/FormFont.h"

#include <QPainter>

#include <algorithm>

namespace {

const QColor BandFirst{0x02, 0x3D, 0x7D};
const QColor BandLast{0x37, 0xBE, 0xFF};

QFont CaptionFont() {
    return FormFont("Verdana", 15, true);
}

int Step(int from, int to, int n) {
    return from + (to - from) * n / (CaptionedMenu::BandColours - 1);
}

} // namespace

CaptionedMenu::CaptionedMenu(const QString& caption, const QString& itemFamily, bool boldItems,
                             QWidget* parent)
    : QMenu(parent)
    , m_caption(caption) {
    // The band lives in the left padding, so items never draw over it.
    setStyleSheet(
        QStringLiteral("QMenu { background: #10284D; border: 1px solid #37BEFF;"
                       "  padding: 2px 2px 2px %1px; font-family: '%2'; font-size: 13px;"
                       "  font-weight: %3; }"
                       "QMenu::item { color: #D7EDFF; padding: 5px 22px 5px 30px;"
                       "  background: transparent; }"
                       "QMenu::item:selected { background: #2A6FC0; color: #FFFFFF; }"
                       "QMenu::icon { padding-left: 6px; }"
                       "QMenu::right-arrow { width: 8px; height: 8px; }"
                       "QMenu::separator { height: 1px; background: #37BEFF; margin: 3px 6px; }")
            .arg(BandWidth + 1)
            .arg(itemFamily, boldItems ? QStringLiteral("bold") : QStringLiteral("normal")));
}

QColor CaptionedMenu::bandColour(int n) {
    return {Step(BandFirst.red(), BandLast.red(), n), Step(BandFirst.green(), BandLast.green(), n),
            Step(BandFirst.blue(), BandLast.blue(), n)};
}

void CaptionedMenu::paintEvent(QPaintEvent* event) {
    QMenu::paintEvent(event);
    QPainter painter(this);
    const QRect band(1, 1, BandWidth, height() - 2);
    for (int n = 0; n < BandColours; ++n) {
        const int top = band.top() + band.height() * n / BandColours;
        const int bottom = band.top() + band.height() * (n + 1) / BandColours;
        painter.fillRect(band.left(), top, band.width(), bottom - top, bandColour(n));
    }

    if (m_caption.isEmpty())
        return;
    painter.setFont(CaptionFont());
    painter.setPen(QColor(0xFF, 0xFF, 0xFF));
    painter.setRenderHint(QPainter::TextAntialiasing);
    // Read from bottom to top, set against the light end of the band.
    painter.translate(band.left(), band.bottom());
    painter.rotate(-90);
    const QRect turned(6, 0, band.height() - 12, band.width());
    painter.drawText(turned, Qt::AlignLeft | Qt::AlignVCenter, m_caption);
}

QSize CaptionedMenu::sizeHint() const {
    // A menu of few items grows to show the whole caption.
    QSize size = QMenu::sizeHint();
    if (m_caption.isEmpty())
        return size;
    size.setHeight(
        std::max(size.height(), QFontMetrics(CaptionFont()).horizontalAdvance(m_caption) + 16));
    return size;
}
