// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/HintLineBreaks.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace {

const QString LineBreak = QStringLiteral("\n\r");

} // namespace

HintLineBreaks::HintLineBreaks(QObject* parent)
    : QObject(parent) {}

QString HintLineBreaks::shownText(const QString& hint) {
    QString shown = hint;
    return shown.replace(LineBreak, QStringLiteral("\n"));
}

bool HintLineBreaks::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto* widget = static_cast<QWidget*>(watched);
    const QString hint = widget->toolTip();
    // Everything else keeps Qt's own handling, including hints that travel up to a parent.
    if (!hint.contains(LineBreak))
        return QObject::eventFilter(watched, event);
    const auto* help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), shownText(hint), widget, QRect(),
                       widget->toolTipDuration());
    return true;
}
