// SPDX-License-Identifier: GPL-3.0-or-later
#include "GhostArt.h"

#include "ArtKit.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <array>

using namespace ArtKit;

namespace GhostArt {

namespace {

constexpr int Size = 120;

QPainterPath bodyPath(const QRectF& r) {
    const qreal w = r.width();
    const qreal hem = w * 0.12;
    QPainterPath path;
    path.moveTo(r.left(), r.top() + w / 2);
    path.arcTo(QRectF(r.left(), r.top(), w, w), 180, -180);
    path.cubicTo(r.right(), r.bottom() - hem - w * 0.3, r.right() + w * 0.05,
                 r.bottom() - hem * 1.4, r.right() + w * 0.04, r.bottom() - hem);
    constexpr int Waves = 4;
    const qreal left = r.left() - w * 0.04;
    const qreal step = (r.right() + w * 0.04 - left) / Waves;
    for (int i = 0; i < Waves; ++i) {
        const qreal x0 = r.right() + w * 0.04 - i * step;
        const qreal x1 = x0 - step;
        const qreal depth = (i % 2 == 0) ? hem * 1.25 : hem * 0.95;
        path.cubicTo(x0 - step * 0.05, r.bottom() - hem + depth, x1 + step * 0.05,
                     r.bottom() - hem + depth, x1, r.bottom() - hem);
    }
    path.cubicTo(r.left() - w * 0.05, r.bottom() - hem * 1.4, r.left(), r.bottom() - hem - w * 0.3,
                 r.left(), r.top() + w / 2);
    path.closeSubpath();
    // Two small arms, part of the same outline.
    QPainterPath arms;
    arms.addEllipse(QRectF(r.left() - w * 0.16, r.top() + r.height() * 0.48, w * 0.3, w * 0.17));
    arms.addEllipse(QRectF(r.right() - w * 0.14, r.top() + r.height() * 0.44, w * 0.3, w * 0.17));
    return path.united(arms);
}

void drawEyes(QPainter& painter, const QRectF& r, Eyes eyes, qreal gaze) {
    const qreal w = r.width();
    const qreal y = r.top() + w * 0.42;
    for (const int side : {-1, 1}) {
        const QPointF centre(r.center().x() + side * w * 0.17 + gaze * w * 0.04, y);
        if (eyes == Eyes::Open) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(Ink);
            painter.drawEllipse(centre, w * 0.075, w * 0.105);
            painter.setBrush(Qt::white);
            painter.drawEllipse(centre + QPointF(-w * 0.025 + gaze * w * 0.02, -w * 0.04),
                                w * 0.027, w * 0.027);
        } else {
            painter.setPen(QPen(Ink, std::max(1.2, w * 0.035), Qt::SolidLine, Qt::RoundCap));
            painter.setBrush(Qt::NoBrush);
            const QRectF arc(centre.x() - w * 0.07, centre.y() - w * 0.05, w * 0.14, w * 0.1);
            painter.drawArc(arc, eyes == Eyes::Happy ? 0 : 180 * 16, 180 * 16);
        }
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 120, 150, 90));
    for (const int side : {-1, 1})
        painter.drawEllipse(QPointF(r.center().x() + side * w * 0.29, y + w * 0.14), w * 0.07,
                            w * 0.04);
}

void drawMouth(QPainter& painter, const QRectF& r, Eyes eyes) {
    const qreal w = r.width();
    const QPointF centre(r.center().x(), r.top() + w * 0.62);
    if (eyes == Eyes::Closed) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Ink);
        painter.drawEllipse(centre, w * 0.035, w * 0.03);
        return;
    }
    QPainterPath mouth;
    mouth.moveTo(centre + QPointF(-w * 0.09, -w * 0.02));
    mouth.cubicTo(centre + QPointF(-w * 0.06, w * 0.09), centre + QPointF(w * 0.06, w * 0.09),
                  centre + QPointF(w * 0.09, -w * 0.02));
    mouth.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Ink);
    painter.drawPath(mouth);
    painter.setBrush(QColor(0xE8, 0x6A, 0x7E));
    painter.drawEllipse(centre + QPointF(0, w * 0.04), w * 0.04, w * 0.022);
}

void drawAccessory(QPainter& painter, const QRectF& r, Accessory accessory) {
    const qreal w = r.width();
    const qreal cx = r.center().x();
    const qreal top = r.top();
    painter.setPen(Qt::NoPen);
    switch (accessory) {
    case Accessory::Curl: {
        QPainterPath curl;
        curl.moveTo(cx - w * 0.02, top + w * 0.02);
        curl.cubicTo(cx - w * 0.05, top - w * 0.16, cx + w * 0.16, top - w * 0.14, cx + w * 0.08,
                     top - w * 0.04);
        painter.setPen(QPen(Qt::white, std::max(1.5, w * 0.05), Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(curl);
        break;
    }
    case Accessory::Bow: {
        const QPointF knot(cx + w * 0.22, top + w * 0.1);
        painter.setBrush(QColor(0xFF, 0x5C, 0x8A));
        for (const int side : {-1, 1}) {
            QPainterPath wing;
            wing.moveTo(knot);
            wing.lineTo(knot + QPointF(side * w * 0.16, -w * 0.1));
            wing.lineTo(knot + QPointF(side * w * 0.16, w * 0.1));
            wing.closeSubpath();
            painter.drawPath(wing);
        }
        painter.setBrush(QColor(0xC8, 0x2A, 0x5C));
        painter.drawEllipse(knot, w * 0.045, w * 0.045);
        break;
    }
    case Accessory::Glasses: {
        painter.setPen(QPen(Ink, std::max(1.2, w * 0.03)));
        painter.setBrush(QColor(200, 230, 255, 60));
        const qreal y = top + w * 0.42;
        for (const int side : {-1, 1})
            painter.drawEllipse(QPointF(cx + side * w * 0.17, y), w * 0.13, w * 0.13);
        painter.drawLine(QPointF(cx - w * 0.04, y - w * 0.02),
                         QPointF(cx + w * 0.04, y - w * 0.02));
        break;
    }
    case Accessory::TopHat: {
        painter.save();
        painter.translate(cx + w * 0.08, top + w * 0.06);
        painter.rotate(12);
        painter.setBrush(QColor(0x22, 0x1A, 0x33));
        painter.drawRoundedRect(QRectF(-w * 0.28, -w * 0.02, w * 0.56, w * 0.08), 2, 2);
        painter.drawRect(QRectF(-w * 0.17, -w * 0.27, w * 0.34, w * 0.27));
        painter.setBrush(Gold);
        painter.drawRect(QRectF(-w * 0.17, -w * 0.09, w * 0.34, w * 0.06));
        painter.restore();
        break;
    }
    case Accessory::Crown: {
        QPainterPath crown;
        const qreal base = top + w * 0.05;
        crown.moveTo(cx - w * 0.2, base);
        crown.lineTo(cx - w * 0.23, base - w * 0.22);
        crown.lineTo(cx - w * 0.1, base - w * 0.1);
        crown.lineTo(cx, base - w * 0.27);
        crown.lineTo(cx + w * 0.1, base - w * 0.1);
        crown.lineTo(cx + w * 0.23, base - w * 0.22);
        crown.lineTo(cx + w * 0.2, base);
        crown.closeSubpath();
        painter.setBrush(goldGradient(base - w * 0.27, base));
        painter.setPen(QPen(GoldDeep, 1));
        painter.drawPath(crown);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xE0, 0x30, 0x50));
        painter.drawEllipse(QPointF(cx, base - w * 0.07), w * 0.035, w * 0.035);
        break;
    }
    case Accessory::Flower: {
        const QPointF centre(cx - w * 0.24, top + w * 0.12);
        painter.setBrush(QColor(0xFF, 0xF4, 0xA0));
        for (int i = 0; i < 5; ++i) {
            const qreal angle = i * 2 * M_PI / 5;
            painter.drawEllipse(centre + QPointF(std::cos(angle), std::sin(angle)) * w * 0.075,
                                w * 0.06, w * 0.06);
        }
        painter.setBrush(QColor(0xF0, 0x7A, 0x20));
        painter.drawEllipse(centre, w * 0.05, w * 0.05);
        break;
    }
    case Accessory::NightCap: {
        QPainterPath cap;
        cap.moveTo(cx - w * 0.36, top + w * 0.16);
        cap.cubicTo(cx - w * 0.3, top - w * 0.12, cx + w * 0.2, top - w * 0.2, cx + w * 0.46,
                    top + w * 0.12);
        cap.cubicTo(cx + w * 0.2, top - w * 0.02, cx, top + w * 0.02, cx + w * 0.3, top + w * 0.2);
        cap.closeSubpath();
        painter.setBrush(QColor(0x3B, 0x5B, 0xC8));
        painter.drawPath(cap);
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(cx + w * 0.46, top + w * 0.12), w * 0.06, w * 0.06);
        break;
    }
    case Accessory::Scarf: {
        const qreal y = top + r.height() * 0.62;
        painter.setBrush(QColor(0xD8, 0x3A, 0x3A));
        painter.drawRoundedRect(QRectF(r.left() + w * 0.02, y, w * 0.96, w * 0.11), 3, 3);
        painter.setBrush(QColor(0xB0, 0x22, 0x2A));
        painter.drawRoundedRect(QRectF(r.left() + w * 0.62, y + w * 0.05, w * 0.13, w * 0.3), 3, 3);
        break;
    }
    }
}

QImage ghostLayer(const QRectF& body, const GhostLook& ghost, Eyes eyes, qreal gaze,
                  qreal rotation = 0, int size = Size) {
    QImage layer = transparentImage(size, size);
    QPainter painter(&layer);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / qreal(Size), size / qreal(Size));
    if (rotation != 0) {
        painter.translate(body.center());
        painter.rotate(rotation);
        painter.translate(-body.center());
    }
    drawGhost(painter, body, ghost, eyes, gaze);
    painter.end();
    return withGlow(layer, ghost.body.lighter(110), std::max(4, size / 16), 0.9);
}

void sparkle(QPainter& painter, QPointF centre, qreal radius, const QColor& colour) {
    QPainterPath star;
    for (int i = 0; i < 8; ++i) {
        const qreal angle = i * M_PI / 4;
        const qreal length = (i % 2 == 0) ? radius : radius * 0.28;
        const QPointF point = centre + QPointF(std::cos(angle), std::sin(angle)) * length;
        if (i == 0)
            star.moveTo(point);
        else
            star.lineTo(point);
    }
    star.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPath(star);
}

void shadow(QPainter& painter, QPointF centre, qreal width) {
    QRadialGradient gradient(centre, width / 2);
    gradient.setColorAt(0, QColor(0, 0, 20, 90));
    gradient.setColorAt(1, QColor(0, 0, 20, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.save();
    painter.translate(centre);
    painter.scale(1, 0.22);
    painter.drawEllipse(QPointF(0, 0), width / 2, width / 2);
    painter.restore();
}

void drawKey(QPainter& painter, QPointF at, qreal angle) {
    painter.save();
    painter.translate(at);
    painter.rotate(angle);
    painter.setPen(QPen(GoldDeep, 1));
    painter.setBrush(goldGradient(-8, 8));
    QPainterPath key;
    key.addEllipse(QPointF(0, 0), 7, 7);
    key.addRect(QRectF(5, -2, 20, 4));
    key.addRect(QRectF(18, 2, 3, 5));
    key.addRect(QRectF(23, 2, 2.5, 4));
    QPainterPath hole;
    hole.addEllipse(QPointF(0, 0), 3, 3);
    painter.drawPath(solid(key).subtracted(hole));
    painter.restore();
}

void drawDoor(QPainter& painter) {
    const QRectF frame(70, 22, 44, 86);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x3A, 0x22, 0x10));
    painter.drawRoundedRect(frame, 20, 20, Qt::RelativeSize);
    // Warm light from the room behind the door, seen through the gap.
    QLinearGradient light(frame.left(), 0, frame.right(), 0);
    light.setColorAt(0, QColor(0xFF, 0xD8, 0x7A));
    light.setColorAt(1, QColor(0xFF, 0xB0, 0x40));
    painter.setBrush(light);
    painter.drawRoundedRect(frame.adjusted(4, 4, -4, 0), 18, 14, Qt::RelativeSize);
    QPainterPath leaf;
    leaf.moveTo(74, 108);
    leaf.lineTo(74, 40);
    leaf.cubicTo(74, 28, 88, 24, 98, 28);
    leaf.lineTo(98, 112);
    leaf.closeSubpath();
    QLinearGradient wood(74, 0, 98, 0);
    wood.setColorAt(0, QColor(0x8A, 0x4E, 0x22));
    wood.setColorAt(1, QColor(0x5C, 0x30, 0x12));
    painter.setBrush(wood);
    painter.drawPath(leaf);
    painter.setPen(QPen(QColor(0x4A, 0x26, 0x0C), 1.2));
    painter.drawLine(QPointF(80, 46), QPointF(80, 100));
    painter.drawLine(QPointF(90, 44), QPointF(90, 102));
    painter.setPen(QPen(GoldDeep, 0.8));
    painter.setBrush(Gold);
    painter.drawEllipse(QPointF(93, 72), 3, 3);
}

void drawBulb(QPainter& painter, QPointF centre) {
    QRadialGradient halo(centre, 30);
    halo.setColorAt(0, QColor(255, 240, 150, 170));
    halo.setColorAt(1, QColor(255, 240, 150, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(halo);
    painter.drawEllipse(centre, 30, 30);
    painter.setPen(QPen(QColor(255, 230, 120), 2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 7; ++i) {
        const qreal angle = qDegreesToRadians(-180.0 + i * 30.0);
        const QPointF direction(std::cos(angle), std::sin(angle));
        painter.drawLine(centre + direction * 17, centre + direction * 23);
    }
    QRadialGradient glass(centre + QPointF(-3, -4), 14);
    glass.setColorAt(0, QColor(255, 255, 230));
    glass.setColorAt(1, QColor(255, 214, 60));
    painter.setPen(QPen(QColor(200, 150, 20), 1));
    painter.setBrush(glass);
    QPainterPath bulb;
    bulb.addEllipse(centre, 12, 12);
    bulb.addRect(QRectF(centre.x() - 5.5, centre.y() + 6, 11, 10));
    painter.drawPath(solid(bulb));
    painter.setBrush(QColor(0x8E, 0x9A, 0xAE));
    painter.setPen(QPen(QColor(0x50, 0x58, 0x68), 1));
    painter.drawRoundedRect(QRectF(centre.x() - 6, centre.y() + 15, 12, 8), 2, 2);
}

void drawSwitch(QPainter& painter, const QRectF& plate) {
    painter.setPen(QPen(QColor(0x70, 0x7C, 0x90), 1));
    painter.setBrush(QColor(0xEE, 0xF0, 0xF4));
    painter.drawRoundedRect(plate, 3, 3);
    painter.setBrush(QColor(0xC8, 0xCE, 0xD8));
    const QRectF toggle = plate.adjusted(plate.width() * 0.3, plate.height() * 0.22,
                                         -plate.width() * 0.3, -plate.height() * 0.5);
    painter.drawRoundedRect(toggle, 2, 2);
}

void drawTap(QPainter& painter) {
    painter.setPen(QPen(QColor(0x50, 0x5A, 0x6C), 1));
    QLinearGradient chrome(0, 24, 0, 44);
    chrome.setColorAt(0, QColor(0xF4, 0xF8, 0xFF));
    chrome.setColorAt(0.5, QColor(0xA8, 0xB4, 0xC8));
    chrome.setColorAt(1, QColor(0x6C, 0x78, 0x8C));
    painter.setBrush(chrome);
    QPainterPath pipe;
    pipe.moveTo(120, 28);
    pipe.lineTo(92, 28);
    pipe.cubicTo(82, 28, 78, 34, 78, 44);
    pipe.lineTo(88, 44);
    pipe.cubicTo(88, 40, 90, 38, 94, 38);
    pipe.lineTo(120, 38);
    pipe.closeSubpath();
    painter.drawPath(pipe);
    painter.drawRoundedRect(QRectF(100, 16, 6, 12), 2, 2);
    painter.drawRoundedRect(QRectF(94, 12, 18, 5), 2, 2);
    painter.setPen(Qt::NoPen);
    for (const QPointF drop : {QPointF(83, 56), QPointF(84, 72), QPointF(82, 88)}) {
        QPainterPath tear;
        tear.moveTo(drop + QPointF(0, -7));
        tear.cubicTo(drop + QPointF(2, -3), drop + QPointF(5, 0), drop + QPointF(4, 3));
        tear.arcTo(QRectF(drop.x() - 4, drop.y() - 1, 8, 8), 0, -180);
        tear.cubicTo(drop + QPointF(-5, 0), drop + QPointF(-2, -3), drop + QPointF(0, -7));
        QLinearGradient water(drop.x() - 4, 0, drop.x() + 4, 0);
        water.setColorAt(0, QColor(0x9C, 0xE4, 0xFF));
        water.setColorAt(1, QColor(0x2A, 0x8C, 0xE8));
        painter.setBrush(water);
        painter.drawPath(tear);
    }
    painter.setBrush(QColor(0x4A, 0xA8, 0xF0, 150));
    painter.drawEllipse(QPointF(84, 106), 16, 4);
}

void drawWrench(QPainter& painter, QPointF at, qreal angle) {
    painter.save();
    painter.translate(at);
    painter.rotate(angle);
    painter.setPen(QPen(QColor(0x50, 0x5A, 0x6C), 1));
    painter.setBrush(QColor(0xB8, 0xC2, 0xD2));
    QPainterPath wrench;
    wrench.addRoundedRect(QRectF(0, -2.5, 24, 5), 2, 2);
    wrench.addEllipse(QPointF(26, 0), 6, 6);
    QPainterPath jaw;
    jaw.addRect(QRectF(26, -2.5, 8, 5));
    painter.drawPath(solid(wrench).subtracted(jaw));
    painter.restore();
}

void drawLetter(QPainter& painter, const QRectF& box, qreal angle, const QColor& stamp) {
    painter.save();
    painter.translate(box.center());
    painter.rotate(angle);
    const QRectF local(-box.width() / 2, -box.height() / 2, box.width(), box.height());
    painter.setPen(QPen(QColor(0xA0, 0x90, 0x70), 1));
    painter.setBrush(QColor(0xFF, 0xF8, 0xE8));
    painter.drawRect(local);
    painter.drawLine(local.topLeft(), local.center() + QPointF(0, 2));
    painter.drawLine(local.topRight(), local.center() + QPointF(0, 2));
    painter.setPen(Qt::NoPen);
    painter.setBrush(stamp);
    painter.drawRect(QRectF(local.right() - 8, local.top() + 3, 5, 6));
    painter.setBrush(QColor(0xC0, 0x30, 0x30));
    painter.drawEllipse(local.center() + QPointF(0, 2), 2.5, 2.5);
    painter.restore();
}

void drawBell(QPainter& painter, QPointF centre) {
    painter.setPen(QPen(GoldDeep, 1));
    painter.setBrush(goldGradient(centre.y() - 12, centre.y() + 10));
    QPainterPath bell;
    bell.moveTo(centre + QPointF(-12, 8));
    bell.cubicTo(centre + QPointF(-8, 4), centre + QPointF(-10, -12), centre + QPointF(0, -12));
    bell.cubicTo(centre + QPointF(10, -12), centre + QPointF(8, 4), centre + QPointF(12, 8));
    bell.closeSubpath();
    painter.drawPath(bell);
    painter.drawEllipse(centre + QPointF(0, 10), 3, 3);
    painter.drawEllipse(centre + QPointF(0, -14), 2.5, 2.5);
    painter.setPen(QPen(QColor(255, 240, 170), 1.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(centre.x() - 20, centre.y() - 14, 40, 28), 150 * 16, 40 * 16);
    painter.drawArc(QRectF(centre.x() - 20, centre.y() - 14, 40, 28), -10 * 16, 40 * 16);
}

void drawFootprints(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 225, 255, 110));
    const std::array<QPointF, 4> steps{QPointF(10, 112), QPointF(22, 106), QPointF(32, 113),
                                       QPointF(44, 107)};
    for (const QPointF& step : steps) {
        painter.drawEllipse(step, 4, 2.2);
        painter.drawEllipse(step + QPointF(4.5, 0), 1.5, 1.5);
    }
    painter.setPen(QPen(QColor(220, 235, 255, 150), 1.6, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i)
        painter.drawLine(QPointF(8 + i * 3, 46 + i * 12), QPointF(22 + i * 3, 46 + i * 12));
}

void drawShoes(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x6A, 0x2E, 0x1A));
    QPainterPath shoes;
    for (const QPointF heel : {QPointF(54, 104), QPointF(80, 101)}) {
        shoes.moveTo(heel);
        shoes.cubicTo(heel + QPointF(0, -7), heel + QPointF(9, -7), heel + QPointF(12, -3));
        shoes.cubicTo(heel + QPointF(17, -2), heel + QPointF(18, 2), heel + QPointF(16, 2));
        shoes.lineTo(heel + QPointF(0, 2));
        shoes.closeSubpath();
    }
    painter.drawPath(shoes);
    painter.setBrush(QColor(255, 255, 255, 90));
    painter.drawEllipse(QRectF(58, 99, 5, 2));
    painter.drawEllipse(QRectF(84, 96, 5, 2));
}

void drawNote(QPainter& painter, QPointF at, qreal scale) {
    painter.setPen(QPen(GoldLight, 1.8 * scale));
    painter.setBrush(GoldLight);
    painter.drawEllipse(at, 4 * scale, 3 * scale);
    painter.drawLine(at + QPointF(3.6 * scale, 0), at + QPointF(3.6 * scale, -14 * scale));
    painter.drawLine(at + QPointF(3.6 * scale, -14 * scale), at + QPointF(9 * scale, -10 * scale));
}

QImage compose(const QImage& back, const QImage& ghost, const QImage& front) {
    QImage result = back;
    QPainter painter(&result);
    painter.drawImage(0, 0, ghost);
    painter.drawImage(0, 0, front);
    return result;
}

// Scenes are drawn in the coordinates of a 120 by 120 picture whatever the image size.
void prepare(QPainter& painter, const QImage& image) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(image.width() / qreal(Size), image.height() / qreal(Size));
}

QImage scene(int ghost, int specialty, int size) {
    const GhostLook ghostLook = look(ghost);
    QImage back = transparentImage(size, size);
    QImage front = transparentImage(size, size);
    QImage body;
    {
        QPainter backPainter(&back);
        QPainter frontPainter(&front);
        prepare(backPainter, back);
        prepare(frontPainter, front);
        switch (specialty) {
        case 1:
            drawDoor(backPainter);
            shadow(backPainter, QPointF(38, 106), 44);
            body = ghostLayer(QRectF(12, 30, 50, 66), ghostLook, Eyes::Open, 1, 0, size);
            drawKey(frontPainter, QPointF(64, 74), -30);
            break;
        case 2:
            drawSwitch(backPainter, QRectF(86, 70, 18, 28));
            shadow(backPainter, QPointF(40, 106), 44);
            body = ghostLayer(QRectF(14, 34, 50, 64), ghostLook, Eyes::Happy, 1, 0, size);
            drawBulb(frontPainter, QPointF(88, 32));
            break;
        case 3:
            drawTap(backPainter);
            shadow(backPainter, QPointF(36, 106), 44);
            body = ghostLayer(QRectF(10, 32, 50, 66), ghostLook, Eyes::Open, 1, 0, size);
            drawWrench(frontPainter, QPointF(50, 84), -40);
            break;
        case 4:
            shadow(backPainter, QPointF(40, 106), 44);
            body = ghostLayer(QRectF(12, 34, 50, 64), ghostLook, Eyes::Happy, 1, 0, size);
            drawLetter(frontPainter, QRectF(70, 18, 34, 22), -12, QColor(0x3A, 0x7A, 0xD8));
            drawLetter(frontPainter, QRectF(78, 44, 32, 21), 10, QColor(0x2E, 0xA0, 0x5A));
            drawBell(frontPainter, QPointF(92, 90));
            break;
        case 5:
            drawFootprints(backPainter);
            shadow(backPainter, QPointF(72, 108), 48);
            body = ghostLayer(QRectF(44, 28, 52, 68), ghostLook, Eyes::Open, 1, 12, size);
            drawShoes(frontPainter);
            break;
        default:
            shadow(backPainter, QPointF(60, 110), 54);
            body = ghostLayer(QRectF(32, 18, 56, 76), ghostLook, Eyes::Open, 0, 0, size);
            sparkle(frontPainter, QPointF(20, 30), 6, GoldLight);
            sparkle(frontPainter, QPointF(102, 22), 4.5, PaleText);
            sparkle(frontPainter, QPointF(100, 78), 5, GoldLight);
            sparkle(frontPainter, QPointF(16, 84), 3.5, PaleText);
            break;
        }
    }
    return compose(back, body, front);
}

void card(QPainter& painter, const QRectF& box) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(GoldDeep);
    painter.drawRoundedRect(box, 9, 9);
    painter.setBrush(goldGradient(box.top(), box.bottom()));
    painter.drawRoundedRect(box.adjusted(1.5, 1.5, -1.5, -1.5), 8, 8);
    QLinearGradient inner(0, box.top(), 0, box.bottom());
    inner.setColorAt(0, NightLight);
    inner.setColorAt(1, NightDeep);
    painter.setBrush(inner);
    painter.drawRoundedRect(box.adjusted(4, 4, -4, -4), 6, 6);
}

} // namespace

GhostLook look(int ghost) {
    static const std::array<GhostLook, 8> looks{{
        {QColor(0xBF, 0xE6, 0xFF), Accessory::Curl},
        {QColor(0xB8, 0xF5, 0xCC), Accessory::Bow},
        {QColor(0xDC, 0xC8, 0xFF), Accessory::Glasses},
        {QColor(0xFF, 0xD2, 0xB8), Accessory::TopHat},
        {QColor(0xFF, 0xF0, 0xA8), Accessory::Crown},
        {QColor(0xFF, 0xC4, 0xDE), Accessory::Flower},
        {QColor(0xA8, 0xF4, 0xEC), Accessory::NightCap},
        {QColor(0xE6, 0xE8, 0xF0), Accessory::Scarf},
    }};
    return looks[static_cast<size_t>(std::clamp(ghost, 1, 8) - 1)];
}

void drawGhost(QPainter& painter, const QRectF& body, const GhostLook& ghost, Eyes eyes,
               qreal gaze) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal w = body.width();
    QRadialGradient fill(QPointF(body.center().x() - w * 0.15, body.top() + w * 0.35), w * 0.95);
    fill.setColorAt(0, QColor(255, 255, 255, 250));
    QColor middle = ghost.body;
    middle.setAlpha(240);
    fill.setColorAt(0.55, middle);
    QColor edge = ghost.body.darker(130);
    edge.setAlpha(225);
    fill.setColorAt(1, edge);
    painter.setPen(QPen(QColor(255, 255, 255, 160), std::max(0.8, w * 0.02)));
    painter.setBrush(fill);
    painter.drawPath(bodyPath(body));
    drawEyes(painter, body, eyes, gaze);
    drawMouth(painter, body, eyes);
    drawAccessory(painter, body, ghost.accessory);
    painter.restore();
}

QImage specialtyPicture(int ghost, int specialty) {
    return scene(ghost, specialty, Size);
}

QImage sleepingPicture(int ghost) {
    QImage back = transparentImage(Size, Size);
    QImage front = transparentImage(Size, Size);
    {
        QPainter painter(&back);
        painter.setRenderHint(QPainter::Antialiasing);
        shadow(painter, QPointF(54, 110), 50);
    }
    const QImage body = ghostLayer(QRectF(24, 28, 54, 72), look(ghost), Eyes::Closed, 0, -8, Size);
    {
        QPainter painter(&front);
        painter.setRenderHint(QPainter::Antialiasing);
        int z = 0;
        for (const QPointF at : {QPointF(80, 36), QPointF(92, 24), QPointF(102, 12)}) {
            outlinedText(painter, QRectF(at, QSizeF(20, 20)), Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("z"), sans(10 + 3 * z, true), PaleText, NightDeep, 2);
            ++z;
        }
    }
    return compose(back, body, front);
}

QImage singingPicture(int ghost) {
    QImage back = transparentImage(Size, Size);
    QImage front = transparentImage(Size, Size);
    {
        QPainter painter(&back);
        painter.setRenderHint(QPainter::Antialiasing);
        shadow(painter, QPointF(50, 110), 50);
    }
    const QImage body = ghostLayer(QRectF(20, 26, 56, 74), look(ghost), Eyes::Happy, 0, 0, Size);
    {
        QPainter painter(&front);
        painter.setRenderHint(QPainter::Antialiasing);
        drawNote(painter, QPointF(88, 40), 1.1);
        drawNote(painter, QPointF(102, 24), 0.8);
        drawNote(painter, QPointF(96, 66), 0.9);
    }
    return compose(back, body, front);
}

QImage presentationPicture(int ghost, bool russian) {
    QImage back = transparentImage(Size, Size);
    QImage front = transparentImage(Size, Size);
    const QImage body = ghostLayer(QRectF(60, 16, 46, 58), look(ghost), Eyes::Open, -1, 10, Size);
    {
        QPainter painter(&front);
        painter.setRenderHint(QPainter::Antialiasing);
        // A small settings card, like the quick panel the user will find under the ghost.
        const QRectF box(6, 50, 96, 64);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 20, 80));
        painter.drawRoundedRect(box.translated(2, 3), 8, 8);
        painter.setBrush(Gold);
        painter.drawRoundedRect(box, 8, 8);
        painter.setBrush(GoldLight);
        painter.drawRoundedRect(box.adjusted(2, 2, -2, -box.height() + 18), 6, 6);
        const QString title =
            (russian ? QStringLiteral("Призрак %1") : QStringLiteral("Ghost %1")).arg(ghost);
        painter.setFont(sans(11, true));
        painter.setPen(QColor(0x27, 0x1D, 0x52));
        painter.drawText(box.adjusted(0, 2, 0, -box.height() + 18), Qt::AlignCenter, title);
        for (int row = 0; row < 3; ++row) {
            const qreal y = box.top() + 26 + row * 12;
            painter.setFont(sans(9, true));
            painter.drawText(QRectF(box.left() + 6, y - 6, 10, 12), Qt::AlignCenter,
                             QStringLiteral("<"));
            painter.drawText(QRectF(box.right() - 16, y - 6, 10, 12), Qt::AlignCenter,
                             QStringLiteral(">"));
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(0x27, 0x1D, 0x52, 150));
            const qreal width = 34 + ((row * 11 + ghost * 7) % 20);
            painter.drawRoundedRect(QRectF(box.center().x() - width / 2, y - 2, width, 4), 2, 2);
            painter.setPen(QColor(0x27, 0x1D, 0x52));
        }
        sparkle(painter, QPointF(110, 80), 5, GoldLight);
    }
    return compose(back, body, front);
}

QImage photo(int ghost) {
    constexpr int PhotoSize = 90;
    QImage image = transparentImage(PhotoSize, PhotoSize);
    const GhostLook ghostLook = look(ghost);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(goldGradient(0, PhotoSize));
        painter.drawRoundedRect(QRectF(0, 0, PhotoSize, PhotoSize), 10, 10);
        QRadialGradient backdrop(QPointF(45, 40), 60);
        backdrop.setColorAt(0, ghostLook.body.darker(260));
        backdrop.setColorAt(1, NightDeep);
        painter.setBrush(backdrop);
        painter.drawRoundedRect(QRectF(4, 4, PhotoSize - 8, PhotoSize - 8), 7, 7);
        Rng rng(0x1000u + static_cast<std::uint32_t>(ghost));
        for (int i = 0; i < 14; ++i) {
            painter.setBrush(QColor(255, 255, 230, 60 + static_cast<int>(rng.next() % 120)));
            painter.drawEllipse(QPointF(rng.range(8, 82), rng.range(8, 50)), 0.8, 0.8);
        }
    }
    const QImage body = withGlow(
        [&] {
            QImage layer = transparentImage(PhotoSize, PhotoSize);
            QPainter painter(&layer);
            painter.setClipRect(QRect(4, 4, PhotoSize - 8, PhotoSize - 8));
            drawGhost(painter, QRectF(19, 22, 52, 74), ghostLook, Eyes::Open, 0);
            return layer;
        }(),
        ghostLook.body, 6, 0.8);
    QPainter painter(&image);
    painter.setClipRect(QRect(4, 4, PhotoSize - 8, PhotoSize - 8));
    painter.drawImage(0, 0, body);
    painter.setClipping(false);
    painter.setRenderHint(QPainter::Antialiasing);
    outlinedText(painter, QRectF(6, 68, 20, 18), Qt::AlignCenter, QString::number(ghost),
                 serif(14, true), QBrush(GoldLight), GoldDeep, 2.5);
    return image;
}

QImage unknownPhoto() {
    QImage image = photo(1);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(NightDeep);
    painter.drawRoundedRect(QRectF(4, 4, 82, 82), 7, 7);
    painter.setPen(QPen(QColor(200, 220, 255, 140), 2, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(bodyPath(QRectF(22, 18, 46, 62)));
    outlinedText(painter, QRectF(0, 20, 90, 50), Qt::AlignCenter, QStringLiteral("?"),
                 serif(30, true), QBrush(GoldLight), GoldDeep, 3);
    return image;
}

QImage regimePicture(int regime) {
    constexpr int CardSize = 90;
    QImage image = transparentImage(CardSize, CardSize);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    card(painter, QRectF(0, 0, CardSize, CardSize));
    const QPointF centre(45, 45);
    switch (regime) {
    case 2: { // night: a crescent moon and stars
        QPainterPath moon;
        moon.addEllipse(centre + QPointF(-4, 0), 24, 24);
        QPainterPath bite;
        bite.addEllipse(centre + QPointF(8, -8), 21, 21);
        QRadialGradient glow(centre, 40);
        glow.setColorAt(0, QColor(255, 240, 190, 90));
        glow.setColorAt(1, QColor(255, 240, 190, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawEllipse(centre, 40, 40);
        painter.setBrush(QColor(0xF6, 0xEB, 0xC4));
        painter.drawPath(moon.subtracted(bite));
        sparkle(painter, QPointF(62, 28), 6, GoldLight);
        sparkle(painter, QPointF(66, 60), 4, PaleText);
        sparkle(painter, QPointF(24, 70), 3.5, PaleText);
        break;
    }
    case 3: { // daytime: the sun
        QRadialGradient glow(centre, 40);
        glow.setColorAt(0, QColor(255, 220, 120, 160));
        glow.setColorAt(1, QColor(255, 220, 120, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawEllipse(centre, 40, 40);
        painter.setPen(QPen(QColor(0xFF, 0xD0, 0x50), 3, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 12; ++i) {
            const qreal angle = i * M_PI / 6;
            const QPointF direction(std::cos(angle), std::sin(angle));
            painter.drawLine(centre + direction * 22, centre + direction * 31);
        }
        QRadialGradient sun(centre + QPointF(-5, -5), 22);
        sun.setColorAt(0, QColor(0xFF, 0xF8, 0xC0));
        sun.setColorAt(1, QColor(0xFF, 0xB0, 0x20));
        painter.setPen(Qt::NoPen);
        painter.setBrush(sun);
        painter.drawEllipse(centre, 17, 17);
        break;
    }
    case 4: { // pre-set time: an hourglass
        painter.setPen(QPen(GoldDeep, 1.2));
        painter.setBrush(goldGradient(16, 22));
        painter.drawRoundedRect(QRectF(27, 14, 36, 7), 3, 3);
        painter.drawRoundedRect(QRectF(27, 69, 36, 7), 3, 3);
        QPainterPath glass;
        glass.moveTo(31, 21);
        glass.lineTo(59, 21);
        glass.cubicTo(59, 38, 48, 40, 48, 45);
        glass.cubicTo(48, 50, 59, 52, 59, 69);
        glass.lineTo(31, 69);
        glass.cubicTo(31, 52, 42, 50, 42, 45);
        glass.cubicTo(42, 40, 31, 38, 31, 21);
        painter.setPen(QPen(QColor(200, 225, 255), 1.5));
        painter.setBrush(QColor(200, 225, 255, 50));
        painter.drawPath(glass);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xFF, 0xC8, 0x50));
        QPainterPath sandTop;
        sandTop.moveTo(36, 30);
        sandTop.lineTo(54, 30);
        sandTop.cubicTo(52, 38, 46, 40, 45, 44);
        sandTop.cubicTo(44, 40, 38, 38, 36, 30);
        painter.drawPath(sandTop);
        QPainterPath sandBottom;
        sandBottom.moveTo(33, 68);
        sandBottom.cubicTo(36, 58, 43, 56, 45, 56);
        sandBottom.cubicTo(47, 56, 54, 58, 57, 68);
        sandBottom.closeSubpath();
        painter.drawPath(sandBottom);
        painter.drawRect(QRectF(44.3, 44, 1.4, 12));
        break;
    }
    case 5: { // randomly: two dice
        const auto die = [&painter](QPointF at, qreal angle, int pips) {
            painter.save();
            painter.translate(at);
            painter.rotate(angle);
            painter.setPen(QPen(QColor(0x80, 0x88, 0xA0), 1));
            painter.setBrush(QColor(0xF8, 0xF8, 0xFF));
            painter.drawRoundedRect(QRectF(-14, -14, 28, 28), 5, 5);
            painter.setPen(Qt::NoPen);
            painter.setBrush(Ink);
            static const std::array<QPointF, 6> places{QPointF(-7, -7), QPointF(7, 7),
                                                       QPointF(7, -7),  QPointF(-7, 7),
                                                       QPointF(-7, 0),  QPointF(7, 0)};
            if (pips % 2 == 1)
                painter.drawEllipse(QPointF(0, 0), 2.6, 2.6);
            for (int i = 0; i < (pips / 2) * 2; ++i)
                painter.drawEllipse(places[static_cast<size_t>(i)], 2.6, 2.6);
            painter.restore();
        };
        die(QPointF(32, 38), -15, 5);
        die(QPointF(58, 56), 18, 3);
        outlinedText(painter, QRectF(54, 10, 30, 30), Qt::AlignCenter, QStringLiteral("?"),
                     serif(20, true), QBrush(GoldLight), GoldDeep, 2);
        break;
    }
    default: { // around the clock (also shown for "never")
        painter.setPen(QPen(GoldDeep, 1));
        painter.setBrush(goldGradient(12, 78));
        painter.drawEllipse(centre, 31, 31);
        painter.setBrush(QColor(0xFA, 0xF6, 0xEA));
        painter.drawEllipse(centre, 26, 26);
        painter.setPen(QPen(Ink, 1.5, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 12; ++i) {
            const qreal angle = i * M_PI / 6;
            const QPointF direction(std::cos(angle), std::sin(angle));
            painter.drawLine(centre + direction * (i % 3 == 0 ? 19 : 22), centre + direction * 24);
        }
        painter.setPen(QPen(Ink, 3, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(centre, centre + QPointF(10, -8));
        painter.setPen(QPen(QColor(0xC0, 0x30, 0x30), 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(centre, centre + QPointF(-4, -20));
        painter.setPen(Qt::NoPen);
        painter.setBrush(Ink);
        painter.drawEllipse(centre, 3, 3);
        // Arrows round the dial: all day and all night.
        painter.setPen(QPen(PaleText, 2, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(6, 6, 78, 78), 30 * 16, 120 * 16);
        painter.drawArc(QRectF(6, 6, 78, 78), 210 * 16, 120 * 16);
        break;
    }
    }
    return image;
}

QImage specialtyCard(int specialty) {
    constexpr int CardSize = 90;
    QImage image = transparentImage(CardSize, CardSize);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    card(painter, QRectF(0, 0, CardSize, CardSize));
    const QImage art =
        scene(1, specialty, 120).scaled(82, 82, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter.setClipRect(QRect(4, 4, 82, 82));
    painter.drawImage(4, 5, art);
    if (specialty == 0) {
        painter.setClipping(false);
        outlinedText(painter, QRectF(56, 4, 30, 30), Qt::AlignCenter, QStringLiteral("?"),
                     serif(20, true), QBrush(GoldLight), GoldDeep, 2);
    }
    return image;
}

QImage appIcon(int size) {
    QImage image = transparentImage(size, size);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal s = size / 64.0;
        painter.scale(s, s);
        painter.setPen(Qt::NoPen);
        painter.setBrush(goldGradient(1, 63));
        painter.drawEllipse(QPointF(32, 32), 31, 31);
        QRadialGradient night(QPointF(32, 26), 34);
        night.setColorAt(0, NightLight);
        night.setColorAt(1, NightDeep);
        painter.setBrush(night);
        painter.drawEllipse(QPointF(32, 32), 27.5, 27.5);
        painter.setBrush(QColor(0xF6, 0xEB, 0xC4));
        QPainterPath moon;
        moon.addEllipse(QPointF(46, 17), 6, 6);
        QPainterPath bite;
        bite.addEllipse(QPointF(49, 15), 5, 5);
        painter.drawPath(moon.subtracted(bite));
        drawGhost(painter, QRectF(17, 14, 30, 40), look(1), Eyes::Open, 0);
    }
    return image;
}

} // namespace GhostArt
