// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// Buttons, switches, tabs and backgrounds shared by the main window and its dialogs.
namespace ControlArt {

// state: 0 normal, 1 pointer over, 2 pressed.
QImage roundIconButton(int width, int height, int glyph, int state);
QImage closeMedallionButton(bool hovered);
QImage smallArrow(bool up, bool hovered);
QImage railCap(bool left, int width);
QImage powerButton(int state);

QImage closeButton(bool russian, int state);
QImage durationTrack();
QImage durationKnob(int position);
QImage dialogBackground(int width, int height);
QImage mark(const QString& digit);
QImage onOffSwitch(bool on);
QImage checkbox(bool ticked);

QImage tabStrip();
QImage tab(int ghost, bool russian, bool highlighted);

QImage scrollerTrack();
QImage scrollerArrow(bool up, bool hovered);

// The network server window's own button list.
enum ToolGlyph {
    ToolClose,
    ToolMinus,
    ToolPlus,
    ToolCloseAll,
    ToolCloseMarked,
    ToolSendAll,
    ToolSendMarked
};
QImage toolButton(int width, int height, int glyph, bool hovered);
QImage reconnectButton(int state);
QImage railFiller();
// state: 0 no more pages (dimmed), 1 normal, 2 pointer over.
QImage pageButton(bool up, int state);

// Small pictures for the menu entries; see the README for what each shows.
QImage menuPicture(int entry);
int menuPictureCount();

// Glyphs of roundIconButton.
enum Glyph { Help, Globe, Minimise };

} // namespace ControlArt
