// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArtKit.h"

#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace ArtKit {

namespace {

const char* const FontDir = "/usr/share/fonts/truetype/dejavu/";

// Three box blurs approximate a Gaussian closely enough for a glow.
void boxBlur(std::vector<float>& values, int width, int height, int radius) {
    std::vector<float> line(static_cast<size_t>(std::max(width, height)));
    const auto blurLine = [&](int count, auto at) {
        float sum = 0;
        for (int i = -radius; i <= radius; ++i)
            sum += at(std::clamp(i, 0, count - 1));
        for (int i = 0; i < count; ++i) {
            line[static_cast<size_t>(i)] = sum / static_cast<float>(2 * radius + 1);
            sum += at(std::min(i + radius + 1, count - 1)) - at(std::max(i - radius, 0));
        }
    };
    for (int y = 0; y < height; ++y) {
        float* row = values.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
        blurLine(width, [row](int x) { return row[x]; });
        std::copy_n(line.begin(), width, row);
    }
    for (int x = 0; x < width; ++x) {
        const auto cell = [&](int y) -> float& {
            return values[static_cast<size_t>(y) * static_cast<size_t>(width) +
                          static_cast<size_t>(x)];
        };
        blurLine(height, [&](int y) { return cell(y); });
        for (int y = 0; y < height; ++y)
            cell(y) = line[static_cast<size_t>(y)];
    }
}

} // namespace

bool loadFonts() {
    for (const char* file :
         {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSerif.ttf", "DejaVuSerif-Bold.ttf"}) {
        if (QFontDatabase::addApplicationFont(QString::fromLatin1(FontDir) + file) < 0)
            return false;
    }
    return true;
}

namespace {

// Unhinted and antialiased, so the same text gives the same pixels on every machine we build on.
QFont dejaVu(const QString& family, qreal pixelSize, bool bold) {
    QFont font(family);
    font.setPixelSize(qRound(pixelSize));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace

QFont sans(qreal pixelSize, bool bold) {
    return dejaVu(QStringLiteral("DejaVu Sans"), pixelSize, bold);
}

QFont serif(qreal pixelSize, bool bold) {
    return dejaVu(QStringLiteral("DejaVu Serif"), pixelSize, bold);
}

QImage transparentImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage filledImage(int width, int height, const QColor& colour) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    return image;
}

QLinearGradient goldGradient(qreal top, qreal bottom, qreal brightness) {
    QLinearGradient gradient(0, top, 0, bottom);
    const auto tone = [brightness](const QColor& colour) {
        return brightness >= 1.0 ? colour.lighter(qRound(100 * brightness))
                                 : colour.darker(qRound(100 / brightness));
    };
    gradient.setColorAt(0.0, tone(GoldLight));
    gradient.setColorAt(0.35, tone(Gold));
    gradient.setColorAt(0.55, tone(GoldDark));
    gradient.setColorAt(0.8, tone(Gold));
    gradient.setColorAt(1.0, tone(GoldLight));
    return gradient;
}

QImage withGlow(const QImage& art, const QColor& colour, int radius, qreal strength) {
    const QImage source = art.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int width = source.width();
    const int height = source.height();
    std::vector<float> alpha(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < width; ++x)
            alpha[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                static_cast<float>(qAlpha(row[x]));
    }
    for (int pass = 0; pass < 3; ++pass)
        boxBlur(alpha, width, height, std::max(1, radius / 2));

    QImage result = transparentImage(width, height);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const float value =
                alpha[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
            const int a =
                std::clamp(static_cast<int>(value * static_cast<float>(strength)), 0, 255);
            row[x] = qPremultiply(qRgba(colour.red(), colour.green(), colour.blue(), a));
        }
    }
    QPainter painter(&result);
    painter.drawImage(0, 0, source);
    return result;
}

void outlinedText(QPainter& painter, const QRectF& box, int flags, const QString& text,
                  const QFont& font, const QBrush& fill, const QColor& outline,
                  qreal outlineWidth) {
    painter.save();
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(text);
    qreal left = box.left();
    if (flags & Qt::AlignHCenter)
        left = box.center().x() - width / 2;
    else if (flags & Qt::AlignRight)
        left = box.right() - width;
    qreal top = box.top();
    if (flags & Qt::AlignVCenter)
        top = box.center().y() - metrics.height() / 2;
    else if (flags & Qt::AlignBottom)
        top = box.bottom() - metrics.height();
    QPainterPath path;
    path.addText(left, top + metrics.ascent(), font, text);
    painter.setRenderHint(QPainter::Antialiasing);
    if (outlineWidth > 0) {
        painter.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(path);
    painter.restore();
}

QPainterPath roundedRect(const QRectF& box, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(box, radius, radius);
    return path;
}

QPainterPath solid(QPainterPath pieces) {
    pieces.setFillRule(Qt::WindingFill);
    return pieces.simplified();
}

namespace {

// How a pill button differs between its styles; state 0 rest, 1 hovered, 2 pressed.
struct PillStyle {
    qreal rimBrightness[3];
    qreal rimInset;
    qreal panelInset;
    QColor panel[3];
    int panelLighter;
    int panelDarker;
    int shineAlpha[2];
    qreal shineInset[2];
    qreal shineHeight;
};

void pillButton(QPainter& painter, const QRectF& box, int state, const PillStyle& style) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal radius = box.height() / 2;
    const QRectF face = state == 2 ? box.adjusted(1, 2, -1, 0) : box;
    painter.setPen(Qt::NoPen);
    painter.setBrush(GoldDeep);
    painter.drawPath(roundedRect(face, radius));
    const qreal rim = style.rimInset;
    painter.setBrush(goldGradient(face.top(), face.bottom(), style.rimBrightness[state]));
    painter.drawPath(roundedRect(face.adjusted(rim, rim, -rim, -rim), radius - rim));
    // The inner panel is set off from the rim so the label stands out.
    QLinearGradient inner(0, face.top(), 0, face.bottom());
    const QColor base = style.panel[state];
    inner.setColorAt(0, base.lighter(style.panelLighter));
    inner.setColorAt(0.5, base);
    inner.setColorAt(1, base.darker(style.panelDarker));
    painter.setBrush(inner);
    const qreal panel = style.panelInset;
    painter.drawPath(roundedRect(face.adjusted(panel, panel, -panel, -panel), radius - panel));
    if (state != 2) {
        painter.setBrush(QColor(255, 255, 255, style.shineAlpha[state]));
        const QRectF shine =
            face.adjusted(style.shineInset[0], style.shineInset[1], -style.shineInset[0],
                          -face.height() * style.shineHeight);
        painter.drawPath(roundedRect(shine, shine.height() / 2));
    }
    painter.restore();
}

} // namespace

void goldButton(QPainter& painter, const QRectF& box, int state) {
    const PillStyle gold{
        {1.0, 1.18, 0.85}, 2,       5,   {Gold, Gold.lighter(112), Gold.darker(118)}, 125, 120,
        {80, 110},         {12, 6}, 0.58};
    pillButton(painter, box, state, gold);
}

void blueButton(QPainter& painter, const QRectF& box, int state) {
    const PillStyle blue{
        {1.0, 1.2, 1.0}, 1.5,     4,  {NightLight, NightLight.lighter(120), NightMid}, 135, 160,
        {45, 70},        {10, 5}, 0.6};
    pillButton(painter, box, state, blue);
}

} // namespace ArtKit
