// SPDX-License-Identifier: GPL-3.0-or-later
#include "SkinArt.h"

#include "ArtKit.h"
#include "GhostArt.h"

#include <QPainter>
#include <QRadialGradient>
#include <QtMath>

#include <array>
#include <functional>

using namespace ArtKit;

namespace SkinArt {

namespace {

constexpr int Width = 800;
constexpr int Height = 600;
const QRectF Body(6, 24, 788, 526);
const QRectF Plaque(16, 4, 292, 74);
const QPointF MedallionCentre(734, 37);
constexpr qreal MedallionRadius = 35;
const QRectF Scene(22, 40, 756, 494);

struct Drip {
    qreal x;
    qreal width;
    qreal length;
};

// Hand-placed so no drip hangs right below another and the longest stay clear of the corners.
constexpr std::array<Drip, 14> Drips{{{66, 20, 28},
                                      {114, 14, 14},
                                      {172, 26, 40},
                                      {230, 15, 20},
                                      {286, 22, 32},
                                      {350, 28, 46},
                                      {404, 14, 16},
                                      {452, 22, 34},
                                      {508, 16, 20},
                                      {566, 26, 42},
                                      {622, 14, 15},
                                      {670, 22, 28},
                                      {716, 15, 18},
                                      {754, 18, 22}}};

QPainterPath dripPath(const Drip& drip) {
    const qreal top = Body.bottom() - 8;
    const qreal half = drip.width / 2;
    const qreal bulb = half * 1.12;
    const qreal bottom = Body.bottom() + drip.length;
    QPainterPath path;
    path.moveTo(drip.x - half - 7, top);
    path.cubicTo(drip.x - half, top, drip.x - half, top + 6, drip.x - half * 0.8, top + 14);
    path.lineTo(drip.x - half * 0.75, bottom - bulb * 1.6);
    path.cubicTo(drip.x - bulb * 1.05, bottom - bulb * 0.9, drip.x - bulb, bottom, drip.x, bottom);
    path.cubicTo(drip.x + bulb, bottom, drip.x + bulb * 1.05, bottom - bulb * 0.9,
                 drip.x + half * 0.75, bottom - bulb * 1.6);
    path.lineTo(drip.x + half * 0.8, top + 14);
    path.cubicTo(drip.x + half, top + 6, drip.x + half, top, drip.x + half + 7, top);
    path.closeSubpath();
    return path;
}

QLinearGradient frameGradient() {
    QLinearGradient gradient(0, 0, Width * 0.35, Height);
    gradient.setSpread(QGradient::ReflectSpread);
    gradient.setColorAt(0.0, GoldLight);
    gradient.setColorAt(0.12, Gold);
    gradient.setColorAt(0.25, GoldDark);
    gradient.setColorAt(0.38, Gold);
    gradient.setColorAt(0.5, GoldLight);
    gradient.setColorAt(0.62, Gold);
    gradient.setColorAt(0.75, GoldDark);
    gradient.setColorAt(0.88, Gold);
    gradient.setColorAt(1.0, GoldLight);
    return gradient;
}

void stud(QPainter& painter, QPointF centre, qreal radius) {
    QRadialGradient gradient(centre + QPointF(-radius * 0.4, -radius * 0.4), radius * 1.6);
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(0.35, GoldLight);
    gradient.setColorAt(1, GoldDeep);
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawEllipse(centre, radius, radius);
}

void drawSky(QPainter& painter) {
    QLinearGradient sky(0, Scene.top(), 0, Scene.bottom());
    sky.setColorAt(0.0, NightDeep);
    sky.setColorAt(0.45, QColor(0x10, 0x24, 0x52));
    sky.setColorAt(0.78, QColor(0x22, 0x46, 0x82));
    sky.setColorAt(1.0, QColor(0x2E, 0x5A, 0x9A));
    painter.fillRect(Scene, sky);
    // Faint light across the sky so it is not one flat gradient.
    for (const auto& [centre, radius] :
         {std::pair{QPointF(260, 180), 260.0}, std::pair{QPointF(560, 300), 220.0}}) {
        QRadialGradient haze(centre, radius);
        haze.setColorAt(0, QColor(0x5A, 0x7E, 0xC8, 38));
        haze.setColorAt(1, QColor(0x5A, 0x7E, 0xC8, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(haze);
        painter.save();
        painter.translate(centre);
        painter.scale(1, 0.6);
        painter.translate(-centre);
        painter.drawEllipse(centre, radius, radius);
        painter.restore();
    }
    Rng rng(0x47A11EDu);
    for (int i = 0; i < 190; ++i) {
        const QPointF at(rng.range(Scene.left() + 4, Scene.right() - 4),
                         rng.range(Scene.top() + 4, 400));
        const int alpha = 70 + static_cast<int>(rng.next() % 170);
        const qreal radius = rng.unit() < 0.15 ? 1.4 : 0.8;
        painter.setBrush(QColor(255, 250, 225, alpha));
        painter.drawEllipse(at, radius, radius);
        if (radius > 1 && alpha > 200) {
            painter.setPen(QPen(QColor(255, 250, 225, 90), 0.8));
            painter.drawLine(at - QPointF(4, 0), at + QPointF(4, 0));
            painter.drawLine(at - QPointF(0, 4), at + QPointF(0, 4));
            painter.setPen(Qt::NoPen);
        }
    }
}

void drawMoon(QPainter& painter) {
    const QPointF centre(652, 112);
    constexpr qreal Radius = 30;
    QRadialGradient halo(centre, Radius * 3.2);
    halo.setColorAt(0, QColor(255, 240, 200, 120));
    halo.setColorAt(0.35, QColor(255, 240, 200, 40));
    halo.setColorAt(1, QColor(255, 240, 200, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(halo);
    painter.drawEllipse(centre, Radius * 3.2, Radius * 3.2);
    QRadialGradient face(centre + QPointF(-8, -8), Radius * 1.3);
    face.setColorAt(0, QColor(0xFF, 0xFA, 0xE6));
    face.setColorAt(1, QColor(0xE8, 0xD8, 0xA8));
    painter.setBrush(face);
    painter.drawEllipse(centre, Radius, Radius);
    painter.setBrush(QColor(0xD6, 0xC6, 0x98, 150));
    painter.drawEllipse(centre + QPointF(-9, -6), 6, 6);
    painter.drawEllipse(centre + QPointF(8, 9), 4.5, 4.5);
    painter.drawEllipse(centre + QPointF(10, -12), 3, 3);
    // Wisps of cloud across the moon, soft at every edge.
    for (const auto& [at, width] :
         {std::pair{QPointF(640, 126), 70.0}, std::pair{QPointF(676, 138), 52.0},
          std::pair{QPointF(612, 140), 40.0}}) {
        QRadialGradient wisp(at, width);
        wisp.setColorAt(0, QColor(0xA8, 0xBC, 0xE0, 110));
        wisp.setColorAt(1, QColor(0xA8, 0xBC, 0xE0, 0));
        painter.setBrush(wisp);
        painter.save();
        painter.translate(at);
        painter.scale(1, 0.09);
        painter.translate(-at);
        painter.drawEllipse(at, width, width);
        painter.restore();
    }
}

QPainterPath hills(qreal base, qreal amplitude, qreal phase, qreal wavelength) {
    QPainterPath path;
    path.moveTo(Scene.left(), Scene.bottom());
    for (qreal x = Scene.left(); x <= Scene.right() + 4; x += 4) {
        const qreal y =
            base - amplitude * (0.6 * std::sin((x + phase) / wavelength) +
                                0.4 * std::sin((x + phase * 1.7) / (wavelength * 0.45)));
        path.lineTo(x, y);
    }
    path.lineTo(Scene.right() + 4, Scene.bottom());
    path.closeSubpath();
    return path;
}

void glowingWindow(QPainter& painter, const QRectF& window) {
    QRadialGradient glow(window.center(), 14);
    glow.setColorAt(0, QColor(0xFB, 0xAD, 0x2E, 120));
    glow.setColorAt(1, QColor(0xFB, 0xAD, 0x2E, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(window.center(), 14, 14);
    QLinearGradient light(0, window.top(), 0, window.bottom());
    light.setColorAt(0, QColor(0xFF, 0xE6, 0x90));
    light.setColorAt(1, QColor(0xFB, 0xAD, 0x2E));
    painter.setBrush(light);
    painter.drawRect(window);
    painter.setBrush(QColor(0x2A, 0x1C, 0x10));
    painter.drawRect(QRectF(window.center().x() - 0.5, window.top(), 1, window.height()));
    painter.drawRect(QRectF(window.left(), window.center().y() - 0.5, window.width(), 1));
}

void drawHouse(QPainter& painter) {
    const QColor silhouette(0x0C, 0x16, 0x33);
    painter.setPen(Qt::NoPen);
    painter.setBrush(silhouette);
    QPainterPath house;
    house.addRect(QRectF(568, 372, 104, 62));
    house.addRect(QRectF(650, 340, 26, 94));
    QPainterPath roof;
    roof.moveTo(558, 374);
    roof.lineTo(604, 334);
    roof.lineTo(650, 374);
    roof.closeSubpath();
    roof.moveTo(644, 342);
    roof.lineTo(663, 300);
    roof.lineTo(682, 342);
    roof.closeSubpath();
    house.addPath(roof);
    house.addRect(QRectF(584, 340, 8, 20));
    painter.drawPath(solid(house));
    painter.setPen(QPen(silhouette, 1.5));
    painter.drawLine(QPointF(663, 300), QPointF(663, 288));
    painter.drawLine(QPointF(658, 292), QPointF(668, 292));
    glowingWindow(painter, QRectF(584, 386, 12, 14));
    glowingWindow(painter, QRectF(612, 386, 12, 14));
    glowingWindow(painter, QRectF(657, 356, 11, 14));
    glowingWindow(painter, QRectF(598, 352, 10, 10));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2A, 0x1C, 0x10));
    painter.drawRect(QRectF(634, 406, 14, 28));
}

void drawTree(QPainter& painter, QPointF root, qreal height, qreal lean) {
    const QColor bark(0x09, 0x12, 0x2A);
    painter.setBrush(Qt::NoBrush);
    std::function<void(QPointF, qreal, qreal, qreal)> branch = [&](QPointF from, qreal angle,
                                                                   qreal length, qreal width) {
        if (length < 6)
            return;
        const QPointF to = from + QPointF(std::sin(qDegreesToRadians(angle)),
                                          -std::cos(qDegreesToRadians(angle))) *
                                      length;
        painter.setPen(QPen(bark, width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(from, to);
        branch(to, angle - 28 + lean, length * 0.68, width * 0.62);
        branch(to, angle + 24 + lean, length * 0.62, width * 0.6);
    };
    branch(root, lean, height * 0.42, height * 0.07);
}

void drawTombstones(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1A, 0x2C, 0x58));
    for (const auto& [x, y, w, h] :
         {std::array<qreal, 4>{196, 474, 16, 22}, std::array<qreal, 4>{226, 480, 13, 17},
          std::array<qreal, 4>{256, 476, 15, 20}}) {
        QPainterPath stone;
        stone.moveTo(x, y + h);
        stone.lineTo(x, y + w / 2);
        stone.arcTo(QRectF(x, y, w, w), 180, -180);
        stone.lineTo(x + w, y + h);
        stone.closeSubpath();
        painter.drawPath(stone);
    }
    painter.setPen(QPen(QColor(0x1A, 0x2C, 0x58), 3));
    painter.drawLine(QPointF(290, 496), QPointF(290, 470));
    painter.drawLine(QPointF(282, 478), QPointF(298, 478));
}

void drawFog(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    for (const auto& [y, alpha, x] :
         {std::array<qreal, 3>{462, 34, 120}, std::array<qreal, 3>{492, 44, 520},
          std::array<qreal, 3>{516, 40, 300}}) {
        QRadialGradient fog(QPointF(x, y), 300);
        fog.setColorAt(0, QColor(0xB8, 0xD0, 0xF0, static_cast<int>(alpha)));
        fog.setColorAt(1, QColor(0xB8, 0xD0, 0xF0, 0));
        painter.setBrush(fog);
        painter.save();
        painter.translate(x, y);
        painter.scale(1, 0.08);
        painter.drawEllipse(QPointF(0, 0), 300, 300);
        painter.restore();
    }
}

void drawFireflies(QPainter& painter) {
    Rng rng(0xF1AEu);
    for (int i = 0; i < 16; ++i) {
        const QPointF at(rng.range(40, 760), rng.range(440, 526));
        QRadialGradient glow(at, 5);
        glow.setColorAt(0, QColor(0xFF, 0xE0, 0x80, 200));
        glow.setColorAt(1, QColor(0xFF, 0xE0, 0x80, 0));
        painter.setBrush(glow);
        painter.drawEllipse(at, 5, 5);
    }
}

void drawLandscape(QPainter& painter) {
    painter.save();
    QPainterPath clip;
    clip.addRoundedRect(Scene, 14, 14);
    painter.setClipPath(clip);
    drawSky(painter);
    drawMoon(painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1B, 0x33, 0x66));
    painter.drawPath(hills(420, 22, 40, 90));
    drawHouse(painter);
    painter.setBrush(QColor(0x13, 0x26, 0x50));
    painter.drawPath(hills(464, 16, 300, 70));
    drawTombstones(painter);
    drawTree(painter, QPointF(92, 506), 170, -4);
    drawTree(painter, QPointF(742, 510), 130, 5);
    drawFog(painter);
    painter.setBrush(QColor(0x0A, 0x17, 0x33));
    painter.drawPath(hills(506, 8, 120, 50));
    drawFireflies(painter);
    // A soft vignette pulls the eye to the middle.
    QRadialGradient vignette(Scene.center(), 520);
    vignette.setColorAt(0.6, QColor(0, 0, 10, 0));
    vignette.setColorAt(1.0, QColor(0, 0, 10, 120));
    painter.setBrush(vignette);
    painter.drawRect(Scene);
    painter.restore();
    // Inner bevel where the landscape meets the frame.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(GoldDeep, 3));
    painter.drawRoundedRect(Scene, 14, 14);
    painter.setPen(QPen(GoldLight, 1));
    painter.drawRoundedRect(Scene.adjusted(-3, -3, 3, 3), 16, 16);
}

void drawFrameDetails(QPainter& painter) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 250, 220, 150), 1.5));
    painter.drawRoundedRect(Body.adjusted(2, 2, -2, -2), 28, 28);
    painter.setPen(QPen(GoldDeep, 1.2));
    painter.drawRoundedRect(Body.adjusted(9, 9, -9, -9), 22, 22);
    for (qreal x = 70; x < 740; x += 48) {
        if (x > Plaque.right() + 6)
            stud(painter, QPointF(x, 32), 3);
        stud(painter, QPointF(x + 24, 542), 3);
    }
    for (qreal y = 100; y < 520; y += 48) {
        stud(painter, QPointF(14, y), 3);
        stud(painter, QPointF(786, y), 3);
    }
}

void drawPlaque(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(frameGradient());
    painter.drawRoundedRect(Plaque, 16, 16);
    painter.setPen(QPen(QColor(255, 250, 220, 160), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(Plaque.adjusted(2, 2, -2, -2), 14, 14);
    const QRectF inner = Plaque.adjusted(7, 7, -7, -7);
    QLinearGradient night(0, inner.top(), 0, inner.bottom());
    night.setColorAt(0, NightLight);
    night.setColorAt(1, NightDeep);
    painter.setPen(QPen(GoldDeep, 2));
    painter.setBrush(night);
    painter.drawRoundedRect(inner, 10, 10);

    QImage ghost = transparentImage(60, 60);
    {
        QPainter ghostPainter(&ghost);
        GhostArt::drawGhost(ghostPainter, QRectF(14, 12, 32, 42), GhostArt::look(1));
    }
    painter.drawImage(QPointF(inner.left() - 4, inner.top() - 6),
                      withGlow(ghost, GhostArt::look(1).body, 5, 0.9));
    QLinearGradient letters(0, inner.top() + 10, 0, inner.bottom() - 8);
    letters.setColorAt(0, QColor(0xFF, 0xF4, 0xC8));
    letters.setColorAt(0.5, Gold);
    letters.setColorAt(1, GoldDark.lighter(120));
    outlinedText(painter, inner.adjusted(50, -2, -6, 0), Qt::AlignLeft | Qt::AlignVCenter,
                 QStringLiteral("Gloamery"), serif(38, true), QBrush(letters), GoldDeep, 3.5);
}

void drawMedallion(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(frameGradient());
    painter.drawEllipse(MedallionCentre, MedallionRadius, MedallionRadius);
    painter.setPen(QPen(QColor(255, 250, 220, 160), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(MedallionCentre, MedallionRadius - 2, MedallionRadius - 2);
    painter.setPen(QPen(GoldDeep, 2));
    painter.setBrush(NightDeep);
    painter.drawEllipse(MedallionCentre, 27, 27);
}

void drawDrips(QPainter& painter) {
    for (const Drip& drip : Drips) {
        const QPainterPath path = dripPath(drip);
        painter.setPen(Qt::NoPen);
        painter.setBrush(frameGradient());
        painter.drawPath(path);
        // A highlight down the left of each drip makes it round.
        const QPointF bulb(drip.x, Body.bottom() + drip.length - drip.width * 0.56);
        QRadialGradient shine(bulb + QPointF(-drip.width * 0.2, -drip.width * 0.2),
                              drip.width * 0.5);
        shine.setColorAt(0, QColor(255, 255, 240, 200));
        shine.setColorAt(1, QColor(255, 255, 240, 0));
        painter.setBrush(shine);
        painter.drawEllipse(bulb, drip.width * 0.5, drip.width * 0.5);
    }
}

} // namespace

QPainterPath shape() {
    QPainterPath path;
    path.addRoundedRect(Body, 30, 30);
    QPainterPath plaque;
    plaque.addRoundedRect(Plaque, 16, 16);
    path = path.united(plaque);
    QPainterPath medallion;
    medallion.addEllipse(MedallionCentre, MedallionRadius, MedallionRadius);
    path = path.united(medallion);
    for (const Drip& drip : Drips)
        path = path.united(dripPath(drip));
    return path;
}

QImage skin() {
    const QPainterPath outline = shape();
    QImage art = filledImage(Width, Height, GoldDeep);
    {
        QPainter painter(&art);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(frameGradient());
        painter.drawPath(outline);
        drawFrameDetails(painter);
        drawDrips(painter);
        drawLandscape(painter);
        drawPlaque(painter);
        drawMedallion(painter);
    }
    // The outline is cut without smoothing: every pixel is either skin or exactly magenta.
    QImage mask(Width, Height, QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter painter(&mask);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawPath(outline);
    }
    QImage result(Width, Height, QImage::Format_RGB32);
    for (int y = 0; y < Height; ++y) {
        const auto* maskRow = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        const auto* artRow = reinterpret_cast<const QRgb*>(art.constScanLine(y));
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < Width; ++x) {
            // The row and column at the window's edge stay outside, as the region starts at (1,1).
            const bool inside = qAlpha(maskRow[x]) != 0 && x > 0 && y > 0;
            QRgb pixel = artRow[x] | 0xFF000000u;
            // A skin pixel that happens to be magenta would be cut out: nudge it.
            if (inside && qRed(pixel) == 255 && qGreen(pixel) == 0 && qBlue(pixel) == 255)
                pixel = qRgb(254, 0, 255);
            row[x] = inside ? pixel : qRgb(255, 0, 255);
        }
    }
    return result;
}

QImage startButton(const QImage& skinImage, bool russian, int state, StartFace shown) {
    QImage image =
        skinImage.copy(316, 318, 164, 50).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (state == 1) {
        // An elliptic glow that fades out inside the picture, so no edge of it shows.
        painter.save();
        painter.translate(82, 25);
        painter.scale(1, 0.3);
        QRadialGradient glow(QPointF(0, 0), 82);
        glow.setColorAt(0.6, QColor(0xFB, 0xAD, 0x2E, 150));
        glow.setColorAt(1, QColor(0xFB, 0xAD, 0x2E, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawEllipse(QPointF(0, 0), 82, 82);
        painter.restore();
    }
    const QRectF face(3, 3, 158, 44);
    goldButton(painter, face, state);
    const qreal shift = state == 2 ? 1.5 : 0;
    // A sign before the word, the same on both languages' buttons: play to start, a square to
    // stop, both in the space the play sign takes.
    const QColor ink(0x27, 0x1D, 0x52);
    painter.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(ink);
    const QPointF tip(38 + shift, 25 + shift);
    if (shown == StartFace::Start) {
        QPainterPath play;
        play.moveTo(tip + QPointF(-14, -10));
        play.lineTo(tip);
        play.lineTo(tip + QPointF(-14, 10));
        play.closeSubpath();
        painter.drawPath(play);
    } else {
        painter.drawRoundedRect(QRectF(tip + QPointF(-15, -8), QSizeF(16, 16)), 2, 2);
    }
    const QString word = shown == StartFace::Start
                             ? (russian ? QStringLiteral("Старт") : QStringLiteral("Start"))
                             : (russian ? QStringLiteral("Стоп") : QStringLiteral("Stop"));
    outlinedText(painter, QRectF(44 + shift, 4 + shift, 108, 42), Qt::AlignCenter, word,
                 sans(24, true), QBrush(ink), QColor(255, 236, 170, 200), 2);
    return image;
}

} // namespace SkinArt
