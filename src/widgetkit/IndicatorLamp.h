// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

// A state lamp: a filled rectangle with a dark blue pen.
class IndicatorLamp : public QWidget {
    Q_OBJECT
public:
    explicit IndicatorLamp(QWidget* parent);

    void setFill(const QColor& fill);
    const QColor& fill() const { return m_fill; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_fill;
};
