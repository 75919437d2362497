// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// A dialog's title: bold silver text on a banded blue-to-pale gradient. It widens with its
// text (never below its first width), as a caption label grows with its caption.
class GradientTitle : public QWidget {
    Q_OBJECT
public:
    GradientTitle(QWidget* parent, const QRect& place);

    void setText(const QString& text);
    const QString& text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    int m_minimumWidth;
};
