// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgetkit/SkinColors.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRectF>

#include <cstdint>

class QPainter;

// Shared palette, fonts and drawing helpers of the generated artwork.
namespace ArtKit {

inline const QColor NightDeep{0x07, 0x10, 0x29};
inline const QColor NightMid{0x14, 0x2A, 0x5C};
inline const QColor NightLight{0x2E, 0x5A, 0x9A};
inline const QColor WindowBlue = SkinColors::WindowBlue;
inline const QColor Gold{0xFB, 0xAD, 0x2E};
inline const QColor GoldLight{0xFF, 0xE6, 0xA0};
inline const QColor GoldDark{0xA8, 0x65, 0x0B};
inline const QColor GoldDeep{0x5E, 0x36, 0x04};
inline const QColor Ink{0x1B, 0x22, 0x40};
inline const QColor PaleText = SkinColors::PaleText;

// Deterministic pseudo-random numbers: the same pictures on every build.
class Rng {
public:
    explicit Rng(std::uint32_t seed)
        : m_state(seed) {}
    std::uint32_t next() {
        m_state = m_state * 1664525u + 1013904223u;
        return m_state >> 8;
    }
    double unit() { return static_cast<double>(next() % 100000u) / 100000.0; }
    double range(double low, double high) { return low + (high - low) * unit(); }

private:
    std::uint32_t m_state;
};

// Registers the DejaVu faces from the system font folder; false when one is missing, because a
// substitute font would make the pictures depend on the build machine.
bool loadFonts();
QFont sans(qreal pixelSize, bool bold = false);
QFont serif(qreal pixelSize, bool bold = true);

QImage transparentImage(int width, int height);
QImage filledImage(int width, int height, const QColor& colour);

// A vertical gold gradient that reads as polished metal.
QLinearGradient goldGradient(qreal top, qreal bottom, qreal brightness = 1.0);

// Soft light around the opaque parts of the picture, in the given colour, drawn beneath it.
QImage withGlow(const QImage& art, const QColor& colour, int radius, qreal strength = 1.0);

// Text with a dark outline so it reads on any background.
void outlinedText(QPainter& painter, const QRectF& box, int flags, const QString& text,
                  const QFont& font, const QBrush& fill, const QColor& outline, qreal outlineWidth);

// A pill-shaped gold button face; state 0 normal, 1 pointer over, 2 pressed.
void goldButton(QPainter& painter, const QRectF& box, int state);
// A pill-shaped night-blue button face with a gold rim; same states.
void blueButton(QPainter& painter, const QRectF& box, int state);

QPainterPath roundedRect(const QRectF& box, qreal radius);

// One outline from overlapping pieces: where pieces overlap they add up instead of cancelling out.
QPainterPath solid(QPainterPath pieces);

} // namespace ArtKit
