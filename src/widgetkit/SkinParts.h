#pragma once

#include <QPoint>
#include <QRect>

class ImageList;
class QColor;
class QGroupBox;
class QLabel;
class QString;
class QWidget;

// The building blocks of the skinned forms. Pictures and image buttons are labels (their clicks
// come through ClickSource); every control carries its form name.
namespace SkinParts {

QLabel* picture(QWidget* parent, const QString& name, const QRect& place, bool stretched = false);
// A picture with the hand cursor.
QLabel* button(QWidget* parent, const QString& name, const QRect& place);
// Verdana 11 px text that sizes itself to its caption.
QLabel* text(QWidget* parent, const QString& name, const QString& caption, QPoint at,
             const QColor& colour, bool underlined);
// A group box in the forms' blue with its caption in Verdana 12 px.
QGroupBox* group(QWidget* parent, const QString& name, const QString& caption, const QRect& place);

// Shows entry `entry` of `list`. The entry is kept on the label (property "imageEntry"), so a
// timer tick that asks for the picture already shown costs nothing.
void showEntry(QLabel* label, const ImageList& list, int entry);
int shownEntry(const QLabel* label);

} // namespace SkinParts
