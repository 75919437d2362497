// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgetkit/FormFont.h"

#include <QPoint>
#include <QRect>
#include <QWidget>

class ImageList;
class QCheckBox;
class QColor;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QString;

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
// A Verdana 11 px edit field, pale text on the field blue; a read-only one takes no focus.
QLineEdit* field(QWidget* parent, const QString& name, const QRect& place, bool readOnly);
// A Verdana 11 px checkbox in pale text; the style's own box keeps its tick, on the field blue.
QCheckBox* checkbox(QWidget* parent, const QString& name, const QString& caption,
                    const QRect& place);
// The fields' colours for a widget of class `kind` ("QLineEdit", "QLabel"), with `extra` rules.
QString fieldStyle(const char* kind, const char* extra = "");
// Names a plain Qt control of a dialog, puts it in its place and gives it the fields' font.
template <class Widget>
Widget* placed(Widget* widget, const char* name, const QRect& place) {
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(place);
    widget->setFont(FormFont("Verdana", 11));
    return widget;
}
// A dialog's text button: bold Verdana 11 px, with the hand cursor.
QPushButton* textButton(QWidget* parent, const char* name, const QRect& place);
// A label's caption; the label grows or shrinks to it, as the forms' captions do.
void setCaption(QLabel* label, const QString& caption);

// Shows entry `entry` of `list`. The entry is kept on the label (property "imageEntry"), so a
// timer tick that asks for the picture already shown costs nothing. A label that is not on screen
// gets its picture when it is first shown; until then the picture is not even read.
void showEntry(QLabel* label, const ImageList& list, int entry);
int shownEntry(const QLabel* label);

} // namespace SkinParts
