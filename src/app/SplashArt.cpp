// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SplashArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

void drawSky(QPainter& painter, const QRectF& area) {
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0.0, QColor(0x0B, 0x10, 0x2E));
    sky.setColorAt(0.6, QColor(0x2A, 0x1E, 0x5C));
    sky.setColorAt(1.0, QColor(0x4B, 0x2C, 0x6E));
    painter.fillRect(area, sky);

    // Fixed pseudo-random stars: the same sky at every start.
    quint32 seed = 0x9E3779B9u;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 70; ++i) {
        const qreal x = next() % static_cast<quint32>(area.width());
        const qreal y = next() % static_cast<quint32>(area.height() * 0.7);
        const int alpha = 90 + static_cast<int>(next() % 160);
        painter.setBrush(QColor(255, 255, 230, alpha));
        const qreal size = (next() % 3 == 0) ? 2.0 : 1.2;
        painter.drawEllipse(QPointF(x, y), size / 2, size / 2);
    }
}

void drawMoon(QPainter& painter, QPointF centre, qreal radius) {
    QRadialGradient halo(centre, radius * 2.2);
    halo.setColorAt(0.0, QColor(255, 240, 200, 110));
    halo.setColorAt(1.0, QColor(255, 240, 200, 0));
    painter.setBrush(halo);
    painter.drawEllipse(centre, radius * 2.2, radius * 2.2);
    painter.setBrush(QColor(0xF4, 0xE9, 0xC8));
    painter.drawEllipse(centre, radius, radius);
    painter.setBrush(QColor(0xDD, 0xD0, 0xAA));
    painter.drawEllipse(centre + QPointF(-radius * 0.3, -radius * 0.2), radius * 0.18,
                        radius * 0.18);
    painter.drawEllipse(centre + QPointF(radius * 0.25, radius * 0.3), radius * 0.12,
                        radius * 0.12);
}

void drawHills(QPainter& painter, const QRectF& area) {
    QPainterPath hills;
    hills.moveTo(area.left(), area.bottom());
    hills.lineTo(area.left(), area.bottom() - 60);
    hills.cubicTo(area.left() + 90, area.bottom() - 110, area.left() + 160, area.bottom() - 40,
                  area.left() + 250, area.bottom() - 80);
    hills.cubicTo(area.left() + 320, area.bottom() - 110, area.left() + 370, area.bottom() - 70,
                  area.right(), area.bottom() - 90);
    hills.lineTo(area.right(), area.bottom());
    hills.closeSubpath();
    painter.setBrush(QColor(0x10, 0x0C, 0x22));
    painter.drawPath(hills);

    // A small house with one lit window: where the ghosts live.
    const QRectF house(area.left() + 60, area.bottom() - 122, 46, 36);
    painter.setBrush(QColor(0x10, 0x0C, 0x22));
    painter.drawRect(house);
    QPainterPath roof;
    roof.moveTo(house.left() - 6, house.top());
    roof.lineTo(house.center().x(), house.top() - 24);
    roof.lineTo(house.right() + 6, house.top());
    roof.closeSubpath();
    painter.drawPath(roof);
    painter.setBrush(QColor(0xFB, 0xAD, 0x2E));
    painter.drawRect(QRectF(house.left() + 10, house.top() + 10, 10, 10));
}

void drawGhost(QPainter& painter, QPointF top, qreal width) {
    const qreal height = width * 1.25;
    QPainterPath body;
    body.moveTo(top.x() - width / 2, top.y() + width / 2);
    body.arcTo(QRectF(top.x() - width / 2, top.y(), width, width), 180, -180);
    body.lineTo(top.x() + width / 2, top.y() + height);
    const int waves = 4;
    for (int i = 0; i < waves; ++i) {
        const qreal x0 = top.x() + width / 2 - width * i / waves;
        const qreal x1 = x0 - width / waves;
        body.quadTo((x0 + x1) / 2, top.y() + height - (i % 2 ? -10 : 10), x1, top.y() + height);
    }
    body.closeSubpath();
    QLinearGradient glow(top, top + QPointF(0, height));
    glow.setColorAt(0.0, QColor(255, 255, 255, 235));
    glow.setColorAt(1.0, QColor(200, 215, 255, 120));
    painter.setBrush(glow);
    painter.drawPath(body);
    painter.setBrush(QColor(0x1A, 0x14, 0x3A));
    painter.drawEllipse(top + QPointF(-width * 0.17, width * 0.45), width * 0.08, width * 0.11);
    painter.drawEllipse(top + QPointF(width * 0.17, width * 0.45), width * 0.08, width * 0.11);
    painter.drawEllipse(top + QPointF(0, width * 0.75), width * 0.07, width * 0.09);
}

} // namespace

namespace SplashArt {

QPixmap picture(int width, int height) {
    QPixmap pixmap(width, height);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(0, 0, width, height);
    drawSky(painter, area);
    painter.setPen(Qt::NoPen);
    drawMoon(painter, QPointF(width - 70, 80), 26);
    drawHills(painter, area);
    drawGhost(painter, QPointF(width * 0.62, height * 0.36), 70);

    QFont title(QStringLiteral("DejaVu Serif"));
    title.setPixelSize(44);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(0xFB, 0xAD, 0x2E));
    painter.drawText(QRectF(18, 40, width - 36, 60), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Gloamery"));
    QFont subtitle(QStringLiteral("DejaVu Sans"));
    subtitle.setPixelSize(13);
    subtitle.setItalic(true);
    painter.setFont(subtitle);
    painter.setPen(QColor(0xD7, 0xED, 0xFF));
    painter.drawText(QRectF(22, 96, width - 44, 20), Qt::AlignLeft,
                     QStringLiteral("ghosts at home"));
    painter.setPen(QColor(0xFB, 0xAD, 0x2E));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0.5, 0.5, -0.5, -0.5));
    return pixmap;
}

QPixmap loadingImage() {
    QPixmap pixmap(140, 11);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        painter.setBrush(QColor(0xD7, 0xED, 0xFF, 80 + 35 * i));
        painter.drawEllipse(QPointF(6 + 12 * i, 5.5), 3.5, 3.5);
    }
    return pixmap;
}

QPixmap finishedImage() {
    QPixmap pixmap(140, 11);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0xFB, 0xAD, 0x2E), 2.2));
    painter.drawPolyline(QPolygonF({QPointF(3, 5.5), QPointF(7, 9.5), QPointF(15, 1.5)}));
    return pixmap;
}

QPixmap firstLook(int width, int height) {
    QPixmap look = picture(width, height);
    QPainter painter(&look);
    painter.drawPixmap(StatusPlace.topLeft(), loadingImage());
    painter.fillRect(ProgressPlace, ProgressBack);
    painter.setPen(ProgressGold);
    painter.drawRect(ProgressPlace.adjusted(0, 0, -1, -1));
    return look;
}

} // namespace SplashArt
