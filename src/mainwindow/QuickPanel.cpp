// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/QuickPanel.h"

#include "widgetkit/FormFont.h"
#include "widgetkit/PointerProbe.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>

namespace {

// The rows lie 16 pixels apart. An arrow label as tall as its 16-pixel font asks (20 pixels)
// would reach into the next row, and two arrows would light up and catch the pointer at once.
constexpr int RowPitch = 16;

const QColor Normal(0x27, 0x1D, 0x52);
const QColor Hovered(0xFF, 0x00, 0x00);
const QColor Gold(0xFB, 0xAD, 0x2E);
// Plain panels of ghosts 5 to 8.
const QColor SmallFills[] = {
    {0xFF, 0x33, 0x33}, {0x33, 0x66, 0xFF}, {0xFF, 0x99, 0x00}, {0xCC, 0x98, 0xFF}};

QRegion roundedRegion(QSize size) {
    QPainterPath path;
    path.addRoundedRect(QRectF(QPointF(0, 0), size), 14, 14);
    return QRegion(path.toFillPolygon().toPolygon());
}

} // namespace

QuickPanel::QuickPanel(int ghost, QWidget* parent)
    : QWidget(parent)
    , m_ghost(ghost)
    , m_fill(ghost <= 4 ? Gold : SmallFills[ghost - 5]) {
    using namespace QuickPanelRows;
    setObjectName(QStringLiteral("Panel_Ghost_%1").arg(ghost));
    const QString prefix = QStringLiteral("Lbl_Ghost_%1_").arg(ghost);
    const QFont arrows = FormFont("Courier", 16, true);
    const QFont values = FormFont("Verdana", 11);
    m_valueFont = values;
    if (large()) {
        resize(120, 120);
        setMask(roundedRegion(size()));
        m_title = makeLabel(prefix + QStringLiteral("Name_2"), {}, {8, 2}, 106,
                            FormFont("Verdana", 16, true));
        QPalette black = m_title->palette();
        black.setColor(QPalette::WindowText, Qt::black);
        m_title->setPalette(black);
    } else {
        resize(190, 100);
        m_title =
            makeLabel(prefix + QStringLiteral("Name_2"), QStringLiteral("Призрак %1").arg(ghost),
                      {2, 0}, 180, FormFont("Verdana", 11, true));
    }
    for (Row row : AllRows) {
        const QString rowName = prefix + QLatin1String(name(row));
        int top = (large() ? 28 : 32) + RowPitch * row;
        const int downLeft = large() ? 8 : 44;
        const int valueLeft = large() ? 26 : 58;
        int upLeft = large() ? 104 : 136;
        if (ghost == 8 && row == Special)
            upLeft = 128;
        m_down[row] = makeLabel(rowName + QStringLiteral("_Down"), QStringLiteral("<"),
                                {downLeft, top}, 14, arrows, RowPitch);
        m_up[row] = makeLabel(rowName + QStringLiteral("_Up"), QStringLiteral(">"), {upLeft, top},
                              14, arrows, RowPitch);
        if (ghost == 2 && row == Volume)
            top = 80;
        m_value[row] = makeLabel(rowName + QStringLiteral("_Nastr"), {}, {valueLeft, top},
                                 upLeft - valueLeft, values);
        m_value[row]->setAlignment(Qt::AlignCenter);
        m_down[row]->setCursor(Qt::PointingHandCursor);
        m_up[row]->setCursor(Qt::PointingHandCursor);
    }
    if (large())
        m_test = makeLabel(QStringLiteral("Lbl_Test_Ghost_%1").arg(ghost), QString(), {86, 104}, 32,
                           values);
    hide();
}

void QuickPanel::setValueText(QuickPanelRows::Row row, const QString& caption) {
    QLabel* label = m_value[row];
    const int room = label->width() - 2 * CaptionMargin;
    QFont font = m_valueFont;
    // Two pixels smaller at most: below that the word is harder to read than a tight fit.
    for (int size = m_valueFont.pixelSize(); size >= m_valueFont.pixelSize() - 2; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(caption) <= room)
            break;
    }
    label->setFont(font);
    label->setText(caption);
}

QLabel* QuickPanel::makeLabel(const QString& name, const QString& text, QPoint place, int width,
                              const QFont& labelFont, int height) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setFont(labelFont);
    label->setGeometry(QRect(place, QSize(width, height > 0 ? height : labelFont.pixelSize() + 4)));
    setHover(label, false);
    return label;
}

void QuickPanel::setHover(QLabel* label, bool hovered) {
    QPalette colours = label->palette();
    const QColor wanted = hovered ? Hovered : Normal;
    if (colours.color(QPalette::WindowText) == wanted)
        return;
    colours.setColor(QPalette::WindowText, wanted);
    label->setPalette(colours);
}

void QuickPanel::trackHover(const PointerProbe& probe) {
    const bool shown = isVisible();
    const auto track = [&](QLabel* label) {
        if (label)
            setHover(label, shown && probe.inside(label));
    };
    track(m_test);
    for (QuickPanelRows::Row row : QuickPanelRows::AllRows) {
        track(m_down[row]);
        track(m_up[row]);
    }
}

void QuickPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!large()) {
        painter.fillRect(rect(), m_fill);
        return;
    }
    QLinearGradient shine(0, 0, 0, height());
    shine.setColorAt(0.0, m_fill.lighter(118));
    shine.setColorAt(1.0, m_fill);
    painter.setPen(QPen(QColor(0x8A, 0x5A, 0x10), 2));
    painter.setBrush(shine);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 13, 13);
}
