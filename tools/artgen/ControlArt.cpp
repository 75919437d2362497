// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControlArt.h"

#include "ArtKit.h"
#include "GhostArt.h"

#include <QPainter>
#include <QRadialGradient>
#include <QtMath>

using namespace ArtKit;

namespace ControlArt {

namespace {

const QColor LabelInk(0x27, 0x1D, 0x52);

void drawGlobe(QPainter& painter, QPointF centre, qreal radius, const QColor& colour) {
    painter.setPen(QPen(colour, std::max(1.0, radius * 0.16)));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius, radius);
    painter.drawEllipse(centre, radius * 0.45, radius);
    painter.drawLine(centre - QPointF(radius, 0), centre + QPointF(radius, 0));
    painter.drawLine(centre - QPointF(0, radius), centre + QPointF(0, radius));
}

void drawGear(QPainter& painter, QPointF centre, qreal radius, const QColor& colour) {
    QPainterPath gear;
    for (int i = 0; i < 8; ++i) {
        const qreal angle = i * M_PI / 4;
        const QPointF direction(std::cos(angle), std::sin(angle));
        gear.addEllipse(centre + direction * radius * 0.78, radius * 0.24, radius * 0.24);
    }
    gear.addEllipse(centre, radius * 0.8, radius * 0.8);
    QPainterPath hole;
    hole.addEllipse(centre, radius * 0.32, radius * 0.32);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPath(solid(gear).subtracted(hole));
}

void drawArrowGlyph(QPainter& painter, const QRectF& box, bool up, const QColor& colour) {
    QPainterPath arrow;
    const qreal cx = box.center().x();
    const qreal half = box.width() * 0.32;
    if (up) {
        arrow.moveTo(cx - half, box.bottom() - box.height() * 0.25);
        arrow.lineTo(cx, box.top() + box.height() * 0.2);
        arrow.lineTo(cx + half, box.bottom() - box.height() * 0.25);
    } else {
        arrow.moveTo(cx - half, box.top() + box.height() * 0.25);
        arrow.lineTo(cx, box.bottom() - box.height() * 0.2);
        arrow.lineTo(cx + half, box.top() + box.height() * 0.25);
    }
    arrow.closeSubpath();
    painter.setPen(QPen(colour, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(colour);
    painter.drawPath(arrow);
}

} // namespace

QImage roundIconButton(int width, int height, int glyph, int state) {
    QImage image = transparentImage(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(0.5, 0.5, width - 1, height - 1);
    painter.setPen(Qt::NoPen);
    painter.setBrush(goldGradient(box.top(), box.bottom(), state == 1 ? 1.15 : 1.0));
    painter.drawEllipse(box);
    QRadialGradient inner(box.center() - QPointF(2, 3), box.width() * 0.6);
    const QColor base = state == 0 ? NightMid : (state == 1 ? NightLight : NightDeep);
    inner.setColorAt(0, base.lighter(150));
    inner.setColorAt(1, base);
    painter.setBrush(inner);
    painter.drawEllipse(box.adjusted(2, 2, -2, -2));
    const QColor ink = state == 1 ? GoldLight : Gold;
    const QPointF centre = box.center();
    switch (glyph) {
    case Help:
        painter.setPen(ink);
        painter.setFont(serif(height * 0.62, true));
        painter.drawText(box, Qt::AlignCenter, QStringLiteral("?"));
        break;
    case Globe:
        drawGlobe(painter, centre, box.width() * 0.28, ink);
        break;
    default:
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawRoundedRect(QRectF(centre.x() - 5, centre.y() + 2, 10, 3), 1.5, 1.5);
        break;
    }
    return image;
}

QImage closeMedallionButton(bool hovered) {
    QImage image = transparentImage(48, 48);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(24, 24);
    if (hovered) {
        QRadialGradient glow(centre, 24);
        glow.setColorAt(0.7, QColor(0xFF, 0x60, 0x40, 150));
        glow.setColorAt(1, QColor(0xFF, 0x60, 0x40, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawEllipse(centre, 24, 24);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(goldGradient(4, 44, hovered ? 1.15 : 1.0));
    painter.drawEllipse(centre, 20, 20);
    QRadialGradient inner(centre - QPointF(4, 5), 22);
    const QColor base = hovered ? QColor(0xC8, 0x2A, 0x20) : NightMid;
    inner.setColorAt(0, base.lighter(160));
    inner.setColorAt(1, base);
    painter.setBrush(inner);
    painter.drawEllipse(centre, 16.5, 16.5);
    painter.setPen(QPen(hovered ? QColor(Qt::white) : GoldLight, 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + QPointF(-7, -7), centre + QPointF(7, 7));
    painter.drawLine(centre + QPointF(7, -7), centre + QPointF(-7, 7));
    return image;
}

QImage smallArrow(bool up, bool hovered) {
    QImage image = transparentImage(19, 10);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(0.5, 0.5, 18, 9);
    painter.setPen(QPen(GoldDeep, 1));
    painter.setBrush(hovered ? goldGradient(0, 10, 1.2) : QBrush(NightLight));
    painter.drawRoundedRect(box, 3, 3);
    drawArrowGlyph(painter, QRectF(4.5, 1.5, 10, 7), up, hovered ? LabelInk : GoldLight);
    return image;
}

QImage railCap(bool left, int width) {
    QImage image = transparentImage(width, 40);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // A gold bracket that closes the rail either side of the power button.
    const QRectF box = left ? QRectF(0.5, 4, width + 8, 32) : QRectF(-8.5, 4, width + 8, 32);
    painter.setPen(QPen(GoldDeep, 1));
    painter.setBrush(goldGradient(4, 36));
    painter.drawRoundedRect(box, 6, 6);
    return image;
}

QImage powerButton(int state) {
    QImage image = transparentImage(40, 40);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = state == 2 ? QRectF(1.5, 2.5, 37, 37) : QRectF(1, 1, 38, 38);
    painter.setPen(Qt::NoPen);
    painter.setBrush(goldGradient(box.top(), box.bottom(), state == 1 ? 1.15 : 1.0));
    painter.drawEllipse(box);
    QRadialGradient inner(box.center() - QPointF(4, 5), 24);
    const QColor base = state == 2 ? NightDeep : (state == 1 ? NightLight : NightMid);
    inner.setColorAt(0, base.lighter(170));
    inner.setColorAt(1, base);
    painter.setBrush(inner);
    painter.drawEllipse(box.adjusted(3, 3, -3, -3));
    const QPointF centre = box.center();
    painter.setPen(QPen(state == 1 ? GoldLight : Gold, 3, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(centre.x() - 10, centre.y() - 9, 20, 20), 120 * 16, -240 * 16);
    painter.drawLine(centre + QPointF(0, -12), centre + QPointF(0, 0));
    return image;
}

QImage closeButton(bool russian, int state) {
    QImage image = transparentImage(164, 50);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    blueButton(painter, QRectF(3, 3, 158, 44), state);
    const qreal shift = state == 2 ? 1.5 : 0;
    const QColor ink = state == 1 ? GoldLight : Gold;
    const QPointF cross(30 + shift, 25 + shift);
    painter.setPen(QPen(ink, 3.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(cross + QPointF(-6, -6), cross + QPointF(6, 6));
    painter.drawLine(cross + QPointF(6, -6), cross + QPointF(-6, 6));
    const QString word = russian ? QStringLiteral("Закрыть") : QStringLiteral("Close");
    outlinedText(painter, QRectF(42 + shift, 4 + shift, 112, 42), Qt::AlignCenter, word,
                 sans(russian ? 18 : 21, true), QBrush(ink), NightDeep, 2.5);
    return image;
}

QImage durationTrack() {
    QImage image = transparentImage(311, 30);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // The knob sits 8 pixels lower than the track's top, so the groove runs through its centre
    // (y 19.5) and the four stops lie under the knob's centres.
    constexpr qreal Groove = 19.5;
    painter.setPen(QPen(GoldDeep, 1));
    painter.setBrush(goldGradient(Groove - 6, Groove + 6));
    painter.drawRoundedRect(QRectF(2, Groove - 6, 307, 12), 6, 6);
    painter.setBrush(NightDeep);
    painter.drawRoundedRect(QRectF(5, Groove - 3, 301, 6), 3, 3);
    painter.setPen(Qt::NoPen);
    for (const qreal x : {10.5, 107.5, 204.5, 302.5}) {
        painter.setBrush(GoldLight);
        painter.drawEllipse(QPointF(x, Groove), 2.5, 2.5);
        painter.setBrush(Gold);
        painter.drawRoundedRect(QRectF(x - 1.5, 1, 3, 7), 1.5, 1.5);
    }
    return image;
}

QImage durationKnob(int position) {
    QImage image = transparentImage(23, 23);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(11.5, 11.5);
    QRadialGradient knob(centre - QPointF(3, 4), 14);
    knob.setColorAt(0, Qt::white);
    knob.setColorAt(0.3, GoldLight);
    knob.setColorAt(0.8, Gold);
    knob.setColorAt(1, GoldDark);
    painter.setPen(QPen(GoldDeep, 1.2));
    painter.setBrush(knob);
    painter.drawEllipse(centre, 10.5, 10.5);
    painter.setPen(QPen(LabelInk, 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    if (position == 0) {
        painter.drawLine(QPointF(11.5, 6.5), QPointF(11.5, 16.5));
    } else if (position == 2) {
        // Unlimited: an infinity sign on the knob.
        painter.drawEllipse(QRectF(5, 8.5, 7, 6));
        painter.drawEllipse(QRectF(11.5, 8.5, 7, 6));
    } else {
        painter.drawLine(QPointF(9, 7), QPointF(9, 16));
        painter.drawLine(QPointF(14, 7), QPointF(14, 16));
    }
    return image;
}

QImage dialogBackground(int width, int height) {
    QImage image = transparentImage(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(0.5, 0.5, width - 1, height - 1);
    QLinearGradient night(0, 0, 0, height);
    night.setColorAt(0, QColor(0x1D, 0x3E, 0x78));
    night.setColorAt(1, QColor(0x0E, 0x20, 0x46));
    painter.setPen(QPen(Gold, 2));
    painter.setBrush(night);
    painter.drawRoundedRect(box.adjusted(1, 1, -1, -1), 12, 12);
    painter.setPen(QPen(QColor(0xFB, 0xAD, 0x2E, 90), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(box.adjusted(5, 5, -5, -5), 9, 9);
    Rng rng(static_cast<std::uint32_t>(width * 1000 + height));
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < width * height / 2600; ++i) {
        painter.setBrush(QColor(255, 250, 225, 30 + static_cast<int>(rng.next() % 70)));
        painter.drawEllipse(QPointF(rng.range(10, width - 10), rng.range(10, height - 10)), 0.9,
                            0.9);
    }
    // A faint moon in the corner, the main window's motif.
    QRadialGradient moon(QPointF(width - 60, 56), 80);
    moon.setColorAt(0, QColor(255, 240, 200, 40));
    moon.setColorAt(1, QColor(255, 240, 200, 0));
    painter.setBrush(moon);
    painter.drawEllipse(QPointF(width - 60, 56), 80, 80);
    painter.setBrush(QColor(255, 245, 215, 36));
    painter.drawEllipse(QPointF(width - 60, 56), 22, 22);
    return image;
}

QImage mark(const QString& digit) {
    QImage image = transparentImage(18, 10);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Outlined so the small digit still reads on the light group-box blue.
    outlinedText(painter, QRectF(0, -1, 18, 12), Qt::AlignCenter, digit, sans(11, true),
                 QBrush(GoldLight), NightDeep, 2);
    return image;
}

QImage onOffSwitch(bool on) {
    QImage image = transparentImage(91, 32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track(2, 3, 87, 26);
    painter.setPen(QPen(GoldDeep, 1));
    painter.setBrush(goldGradient(track.top(), track.bottom()));
    painter.drawRoundedRect(track, 13, 13);
    QLinearGradient groove(0, track.top(), 0, track.bottom());
    if (on) {
        groove.setColorAt(0, QColor(0x3C, 0xC0, 0x6A));
        groove.setColorAt(1, QColor(0x1A, 0x78, 0x3A));
    } else {
        groove.setColorAt(0, NightDeep);
        groove.setColorAt(1, NightMid);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(groove);
    painter.drawRoundedRect(track.adjusted(3, 3, -3, -3), 10, 10);
    const QPointF knobCentre(on ? 74 : 17, 16);
    QRadialGradient knob(knobCentre - QPointF(3, 4), 16);
    knob.setColorAt(0, Qt::white);
    knob.setColorAt(0.4, on ? GoldLight : QColor(0xC8, 0xD4, 0xE8));
    knob.setColorAt(1, on ? GoldDark : QColor(0x70, 0x80, 0xA0));
    painter.setPen(QPen(on ? GoldDeep : QColor(0x40, 0x48, 0x60), 1));
    painter.setBrush(knob);
    painter.drawEllipse(knobCentre, 13, 13);
    if (on) {
        // The lit side glows softly, as if the ghost had woken.
        QRadialGradient glow(QPointF(36, 16), 30);
        glow.setColorAt(0, QColor(200, 255, 200, 90));
        glow.setColorAt(1, QColor(200, 255, 200, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawRoundedRect(track.adjusted(3, 3, -30, -3), 10, 10);
    }
    return image;
}

QImage checkbox(bool ticked) {
    QImage image = transparentImage(23, 23);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(GoldDeep, 1));
    painter.setBrush(goldGradient(1, 22));
    painter.drawRoundedRect(QRectF(1, 1, 21, 21), 5, 5);
    QLinearGradient inside(0, 4, 0, 19);
    inside.setColorAt(0, NightDeep);
    inside.setColorAt(1, NightMid);
    painter.setPen(Qt::NoPen);
    painter.setBrush(inside);
    painter.drawRoundedRect(QRectF(4, 4, 15, 15), 3, 3);
    if (ticked) {
        QPainterPath tick;
        tick.moveTo(6, 11.5);
        tick.lineTo(10, 16);
        tick.lineTo(18.5, 5);
        painter.setPen(QPen(GoldDeep, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
        painter.setPen(QPen(GoldLight, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(tick);
    }
    return image;
}

QImage tabStrip() {
    QImage image = transparentImage(764, 42);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient night(0, 0, 0, 42);
    night.setColorAt(0, NightMid);
    night.setColorAt(1, NightDeep);
    painter.setPen(QPen(Gold, 2));
    painter.setBrush(night);
    painter.drawRoundedRect(QRectF(1, 1, 762, 40), 10, 10);
    painter.setPen(QPen(QColor(0xFB, 0xAD, 0x2E, 90), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(4.5, 4.5, 755, 33), 7, 7);
    return image;
}

QImage tab(int ghost, bool russian, bool highlighted) {
    QImage image = transparentImage(82, 42);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(1, 1, 80, 38);
    if (highlighted) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(GoldDeep);
        painter.drawRoundedRect(box, 9, 9);
        painter.setBrush(goldGradient(box.top(), box.bottom(), 1.05));
        painter.drawRoundedRect(box.adjusted(1.5, 1.5, -1.5, -1.5), 8, 8);
    } else {
        QLinearGradient face(0, box.top(), 0, box.bottom());
        face.setColorAt(0, NightLight.lighter(115));
        face.setColorAt(1, NightMid);
        painter.setPen(QPen(GoldDark, 1.2));
        painter.setBrush(face);
        painter.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 9, 9);
    }
    // The ghost's own colour as a small ghost on the tab, so tabs and photos match.
    QImage mini = transparentImage(26, 30);
    {
        QPainter miniPainter(&mini);
        GhostArt::drawGhost(miniPainter, QRectF(5, 4, 16, 22), GhostArt::look(ghost));
    }
    painter.drawImage(QPointF(3, 5), withGlow(mini, GhostArt::look(ghost).body, 3, 0.7));
    const QColor ink = highlighted ? LabelInk : PaleText;
    painter.setPen(ink);
    painter.setFont(sans(russian ? 9.5 : 11, true));
    const QString word = russian ? QStringLiteral("Призрак") : QStringLiteral("Ghost");
    painter.drawText(QRectF(25, 3, 54, 16), Qt::AlignCenter, word);
    painter.setFont(serif(17, true));
    painter.setPen(highlighted ? LabelInk : Gold);
    painter.drawText(QRectF(25, 17, 54, 22), Qt::AlignCenter, QString::number(ghost));
    return image;
}

QImage scrollerTrack() {
    QImage image = transparentImage(21, 32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(GoldDeep, 1));
    painter.setBrush(NightDeep);
    painter.drawRoundedRect(QRectF(3.5, 0.5, 14, 31), 4, 4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Gold);
    for (const qreal y : {10.0, 16.0, 22.0})
        painter.drawEllipse(QPointF(10.5, y), 1.6, 1.6);
    return image;
}

QImage scrollerArrow(bool up, bool hovered) {
    QImage image = transparentImage(21, 30);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(0.5, 0.5, 20, 29);
    painter.setPen(QPen(GoldDeep, 1));
    painter.setBrush(goldGradient(box.top(), box.bottom(), hovered ? 1.2 : 1.0));
    painter.drawRoundedRect(box, 6, 6);
    painter.setPen(Qt::NoPen);
    painter.setBrush(hovered ? NightLight : NightMid);
    painter.drawRoundedRect(box.adjusted(2.5, 2.5, -2.5, -2.5), 4, 4);
    drawArrowGlyph(painter, QRectF(4, up ? 7 : 9, 13, 14), up, hovered ? GoldLight : Gold);
    return image;
}

QImage toolButton(int width, int height, int glyph, bool hovered) {
    QImage image = transparentImage(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(0.5, 0.5, width - 1, height - 1);
    painter.setPen(QPen(hovered ? GoldLight : GoldDark, 1));
    QLinearGradient face(0, 0, 0, height);
    const QColor base = hovered ? NightLight.lighter(115) : NightMid;
    face.setColorAt(0, base.lighter(140));
    face.setColorAt(1, base);
    painter.setBrush(face);
    painter.drawRoundedRect(box, 4, 4);
    const QColor ink = hovered ? GoldLight : Gold;
    const QPointF centre = box.center();
    painter.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    const auto cross = [&painter](QPointF at, qreal half) {
        painter.drawLine(at + QPointF(-half, -half), at + QPointF(half, half));
        painter.drawLine(at + QPointF(half, -half), at + QPointF(-half, half));
    };
    const auto envelope = [&painter, &ink](const QRectF& body) {
        painter.setPen(QPen(ink, 1.4));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(body);
        painter.drawLine(body.topLeft(), QPointF(body.center().x(), body.center().y() + 1));
        painter.drawLine(body.topRight(), QPointF(body.center().x(), body.center().y() + 1));
    };
    const auto tick = [&painter, &centre] {
        painter.setPen(QPen(GoldLight, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(
            QPolygonF{centre + QPointF(3, 4), centre + QPointF(5, 6.5), centre + QPointF(9, 1)});
    };
    switch (glyph) {
    case ToolClose:
        if (hovered) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(0xC8, 0x2A, 0x20));
            painter.drawRoundedRect(box.adjusted(2, 2, -2, -2), 3, 3);
            painter.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
        }
        cross(centre, 4.5);
        break;
    case ToolMinus:
        painter.drawLine(centre + QPointF(-6, 0), centre + QPointF(6, 0));
        break;
    case ToolPlus:
        painter.drawLine(centre + QPointF(-6, 0), centre + QPointF(6, 0));
        painter.drawLine(centre + QPointF(0, -6), centre + QPointF(0, 6));
        break;
    case ToolCloseAll:
        cross(centre + QPointF(-3, -2), 3.5);
        cross(centre + QPointF(3, 3), 3.5);
        break;
    case ToolCloseMarked:
        cross(centre + QPointF(-2, -1), 4);
        tick();
        break;
    case ToolSendAll:
        envelope(QRectF(centre.x() - 5, centre.y() - 6, 11, 7));
        envelope(QRectF(centre.x() - 7, centre.y() - 1, 11, 7));
        break;
    default:
        envelope(QRectF(centre.x() - 7, centre.y() - 5, 12, 8));
        tick();
        break;
    }
    return image;
}

QImage reconnectButton(int state) {
    QImage image = powerButton(state);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = state == 2 ? QRectF(1.5, 2.5, 37, 37) : QRectF(1, 1, 38, 38);
    // The same button as start/stop, with two turning arrows in place of the power sign.
    QRadialGradient inner(box.center() - QPointF(4, 5), 24);
    const QColor base = state == 2 ? NightDeep : (state == 1 ? NightLight : NightMid);
    inner.setColorAt(0, base.lighter(170));
    inner.setColorAt(1, base);
    painter.setPen(Qt::NoPen);
    painter.setBrush(inner);
    painter.drawEllipse(box.adjusted(3, 3, -3, -3));
    const QPointF centre = box.center();
    const QColor ink = state == 1 ? GoldLight : Gold;
    painter.setPen(QPen(ink, 2.6, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    const QRectF ring(centre.x() - 9, centre.y() - 9, 18, 18);
    painter.drawArc(ring, 20 * 16, 140 * 16);
    painter.drawArc(ring, 200 * 16, 140 * 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    for (const int side : {-1, 1}) {
        const QPointF tip = centre + QPointF(side * 9, side * -1);
        QPainterPath head;
        head.moveTo(tip + QPointF(-4.5, side * -1.5));
        head.lineTo(tip + QPointF(4.5, side * -1.5));
        head.lineTo(tip + QPointF(0, side * 4.5));
        head.closeSubpath();
        painter.drawPath(head);
    }
    return image;
}

QImage railFiller() {
    QImage image = transparentImage(10, 40);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(goldGradient(4, 36));
    painter.drawRect(QRectF(0, 4, 10, 32));
    painter.setBrush(NightDeep);
    painter.drawRect(QRectF(0, 9, 10, 22));
    return image;
}

QImage pageButton(bool up, int state) {
    QImage image = transparentImage(14, 32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(0.5, 0.5, 13, 31);
    painter.setPen(QPen(state == 0 ? QColor(0x50, 0x60, 0x80) : GoldDark, 1));
    painter.setBrush(state == 2 ? NightLight : (state == 1 ? NightMid : NightDeep));
    painter.drawRoundedRect(box, 4, 4);
    const QColor ink = state == 0 ? QColor(0x60, 0x70, 0x90) : (state == 2 ? GoldLight : Gold);
    drawArrowGlyph(painter, QRectF(2, up ? 10 : 12, 10, 10), up, ink);
    return image;
}

int menuPictureCount() {
    return 10;
}

QImage menuPicture(int entry) {
    QImage image = transparentImage(20, 20);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(10, 10);
    switch (entry) {
    case 0: { // interface language: a speech bubble
        QPainterPath bubble;
        bubble.addRoundedRect(QRectF(1.5, 2.5, 17, 12), 4, 4);
        bubble.moveTo(5, 14);
        bubble.lineTo(4, 18.5);
        bubble.lineTo(9, 14);
        painter.setPen(QPen(GoldDeep, 1));
        painter.setBrush(goldGradient(2, 18));
        painter.drawPath(solid(bubble));
        painter.setPen(LabelInk);
        painter.setFont(sans(8, true));
        painter.drawText(QRectF(1.5, 2.5, 17, 12), Qt::AlignCenter, QStringLiteral("Aa"));
        break;
    }
    case 1:
    case 2: { // Russian and English: a little flag-like label with the language's letters
        painter.setPen(QPen(GoldDeep, 1));
        painter.setBrush(goldGradient(3, 17));
        painter.drawRoundedRect(QRectF(1.5, 3.5, 17, 13), 3, 3);
        painter.setPen(LabelInk);
        painter.setFont(sans(8.5, true));
        painter.drawText(QRectF(1.5, 3.5, 17, 13), Qt::AlignCenter,
                         entry == 1 ? QStringLiteral("Ру") : QStringLiteral("En"));
        break;
    }
    case 3:
        drawGlobe(painter, centre, 7.5, Gold);
        break;
    case 4:
        drawGear(painter, centre, 8.5, Gold);
        break;
    case 5:
        GhostArt::drawGhost(painter, QRectF(4, 2, 12, 16), GhostArt::look(1));
        break;
    case 6: { // exit: a door with an arrow leaving it
        painter.setPen(QPen(Gold, 1.6));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(2.5, 2.5, 9, 15));
        painter.setPen(QPen(GoldLight, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawLine(QPointF(8, 10), QPointF(18, 10));
        painter.drawLine(QPointF(14.5, 6.5), QPointF(18, 10));
        painter.drawLine(QPointF(14.5, 13.5), QPointF(18, 10));
        break;
    }
    case 7: { // our site: a house
        QPainterPath house;
        house.moveTo(2, 10);
        house.lineTo(10, 2.5);
        house.lineTo(18, 10);
        house.lineTo(15.5, 10);
        house.lineTo(15.5, 17.5);
        house.lineTo(4.5, 17.5);
        house.lineTo(4.5, 10);
        house.closeSubpath();
        painter.setPen(QPen(GoldDeep, 1));
        painter.setBrush(goldGradient(2, 18));
        painter.drawPath(house);
        painter.setPen(Qt::NoPen);
        painter.setBrush(LabelInk);
        painter.drawRect(QRectF(8.5, 12, 3, 5.5));
        break;
    }
    case 9: { // network server: a hub linked to three clients
        const QPointF hub(10, 10);
        const QPointF clients[] = {{3.5, 4}, {16.5, 4}, {10, 17}};
        painter.setPen(QPen(GoldLight, 1.6, Qt::SolidLine, Qt::RoundCap));
        for (const QPointF& client : clients)
            painter.drawLine(hub, client);
        painter.setPen(QPen(GoldDeep, 1));
        painter.setBrush(goldGradient(1, 19));
        for (const QPointF& client : clients)
            painter.drawEllipse(client, 2.8, 2.8);
        painter.drawRoundedRect(QRectF(6, 7, 8, 6), 1.5, 1.5);
        break;
    }
    default: { // the program's page: a sheet with a ghost on it
        painter.setPen(QPen(GoldDeep, 1));
        painter.setBrush(QColor(0xFF, 0xF8, 0xE8));
        painter.drawRoundedRect(QRectF(3.5, 1.5, 13, 17), 2, 2);
        GhostArt::drawGhost(painter, QRectF(6.5, 4, 7, 10), GhostArt::look(3));
        break;
    }
    }
    return image;
}

} // namespace ControlArt
