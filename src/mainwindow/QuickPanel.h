// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/QuickPanelRows.h"

#include <QWidget>

#include <array>

class PointerProbe;
class QLabel;

// The rows of one ghost's quick panel: "<", value, ">" for specialty, regime, temper and volume,
// a title and (ghosts 1 to 4) the test label. Ghosts 1 to 4 get the golden panel over their
// picture; 5 to 8 a plain coloured one.
class QuickPanel : public QWidget {
    Q_OBJECT
public:
    QuickPanel(int ghost, QWidget* parent);

    int ghost() const { return m_ghost; }
    bool large() const { return m_ghost <= 4; }

    QLabel* title() const { return m_title; }
    QLabel* down(QuickPanelRows::Row row) const { return m_down[row]; }
    QLabel* value(QuickPanelRows::Row row) const { return m_value[row]; }
    QLabel* up(QuickPanelRows::Row row) const { return m_up[row]; }
    QLabel* test() const { return m_test; }

    // A caption too wide to leave a few pixels before the arrows ("Водопровод.") is set in a
    // smaller size of the same font.
    void setValueText(QuickPanelRows::Row row, const QString& caption);
    // The room a caption leaves on either side of it at least.
    static constexpr int CaptionMargin = 6;

    // Red under the pointer, dark blue otherwise, for the arrows and the test label; only while
    // the panel is shown.
    void trackHover(const PointerProbe& probe);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // `height` 0: as tall as the font asks.
    QLabel* makeLabel(const QString& name, const QString& text, QPoint place, int width,
                      const QFont& font, int height = 0);
    void setHover(QLabel* label, bool hovered);

    int m_ghost;
    QColor m_fill;
    QLabel* m_title = nullptr;
    std::array<QLabel*, 4> m_down{};
    std::array<QLabel*, 4> m_value{};
    std::array<QLabel*, 4> m_up{};
    QLabel* m_test = nullptr;
    QFont m_valueFont;
};
