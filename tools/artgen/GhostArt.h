// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>

class QPainter;

// The ghosts: each of the eight has its own colour and a trait of its own, drawn the same way in
// the ghost pictures, the photos, the icons and the dialog pictures.
namespace GhostArt {

enum class Accessory { Curl, Bow, Glasses, TopHat, Crown, Flower, NightCap, Scarf };
enum class Eyes { Open, Happy, Closed };

struct GhostLook {
    QColor body;
    Accessory accessory;
};

GhostLook look(int ghost);

// Draws one ghost filling `body`; `gaze` shifts the pupils sideways (-1 left .. 1 right).
void drawGhost(QPainter& painter, const QRectF& body, const GhostLook& look, Eyes eyes = Eyes::Open,
               qreal gaze = 0);

// 120 by 120 pictures of the main window's ghost list.
QImage specialtyPicture(int ghost, int specialty);
QImage sleepingPicture(int ghost);
QImage singingPicture(int ghost);
QImage presentationPicture(int ghost, bool russian);

// 90 by 90 pictures of the ghost dialog.
QImage photo(int ghost);
QImage unknownPhoto();
QImage regimePicture(int regime);
QImage specialtyCard(int specialty);

QImage appIcon(int size);

} // namespace GhostArt
