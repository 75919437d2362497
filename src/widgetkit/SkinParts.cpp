// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/SkinParts.h"

#include "widgetkit/FormFont.h"
#include "widgetkit/ImageList.h"
#include "widgetkit/SkinColors.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace SkinParts {

namespace {

const char* const EntryProperty = "imageEntry";
const char* const PendingName = "pictureOnShow";

// The picture of a label that is not on screen yet, set when the label is first shown: the
// dialogs are all made at start-up, and most of their pictures are never looked at in a run.
class PictureOnShow : public QObject {
public:
    explicit PictureOnShow(QLabel* label)
        : QObject(label)
        , m_label(label) {
        setObjectName(QLatin1String(PendingName));
        label->installEventFilter(this);
    }
    static PictureOnShow* of(const QLabel* label) {
        return static_cast<PictureOnShow*>(
            label->findChild<QObject*>(QLatin1String(PendingName), Qt::FindDirectChildrenOnly));
    }

    void hold(const ImageList* list, int entry) {
        m_list = list;
        m_entry = entry;
    }
    bool holding() const { return m_list != nullptr; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show && m_list) {
            const ImageList* list = m_list;
            m_list = nullptr;
            m_label->setPixmap(list->pixmap(m_entry));
        }
        return false;
    }

private:
    QLabel* m_label;
    const ImageList* m_list = nullptr;
    int m_entry = -1;
};

} // namespace

QLabel* picture(QWidget* parent, const QString& name, const QRect& place, bool stretched) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setScaledContents(stretched);
    return label;
}

QLabel* button(QWidget* parent, const QString& name, const QRect& place) {
    QLabel* label = picture(parent, name, place);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

QLabel* text(QWidget* parent, const QString& name, const QString& caption, QPoint at,
             const QColor& colour, bool underlined) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setFont(FormFont("Verdana", 11, false, underlined));
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);
    label->move(at);
    label->adjustSize();
    return label;
}

QGroupBox* group(QWidget* parent, const QString& name, const QString& caption, const QRect& place) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    box->setGeometry(place);
    box->setFont(FormFont("Verdana", 12));
    box->setStyleSheet(
        QStringLiteral(
            "QGroupBox { background-color: %1; border: 1px solid %2; border-radius: 6px;"
            " margin-top: 7px; }"
            "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
            " left: 8px; top: 0px; color: %3; background-color: %1; }")
            .arg(SkinColors::GroupBlue.name(), SkinColors::GroupBorder.name(),
                 SkinColors::CaptionGreen.name()));
    return box;
}

QLineEdit* field(QWidget* parent, const QString& name, const QRect& place, bool readOnly) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(place);
    edit->setFont(FormFont("Verdana", 11));
    edit->setStyleSheet(fieldStyle("QLineEdit", "padding: 0px 1px; "));
    edit->setReadOnly(readOnly);
    edit->setFrame(false);
    if (readOnly)
        edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

QCheckBox* checkbox(QWidget* parent, const QString& name, const QString& caption,
                    const QRect& place) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setGeometry(place);
    box->setFont(FormFont("Verdana", 11));
    QPalette colours = box->palette();
    colours.setColor(QPalette::WindowText, SkinColors::PaleText);
    colours.setColor(QPalette::Base, SkinColors::FieldBlue);
    colours.setColor(QPalette::Text, SkinColors::PaleText);
    box->setPalette(colours);
    return box;
}

QString fieldStyle(const char* kind, const char* extra) {
    return QStringLiteral("%1 { background-color: %2; color: %3; border: 1px solid %4; %5}")
        .arg(QLatin1String(kind), SkinColors::FieldBlue.name(), SkinColors::PaleText.name(),
             SkinColors::FieldBorder.name(), QLatin1String(extra));
}

void setCaption(QLabel* label, const QString& caption) {
    label->setText(caption);
    label->adjustSize();
}

void showEntry(QLabel* label, const ImageList& list, int entry) {
    PictureOnShow* pending = PictureOnShow::of(label);
    if (shownEntry(label) == entry &&
        (!label->pixmap().isNull() || (pending && pending->holding())))
        return;
    label->setProperty(EntryProperty, entry);
    if (label->isVisible()) {
        if (pending)
            pending->hold(nullptr, -1);
        label->setPixmap(list.pixmap(entry));
        return;
    }
    if (!pending)
        pending = new PictureOnShow(label);
    pending->hold(&list, entry);
}

int shownEntry(const QLabel* label) {
    const QVariant entry = label->property(EntryProperty);
    return entry.isValid() ? entry.toInt() : -1;
}

QPushButton* textButton(QWidget* parent, const char* name, const QRect& place) {
    auto* button = placed(new QPushButton(parent), name, place);
    button->setFont(FormFont("Verdana", 11, true));
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace SkinParts
