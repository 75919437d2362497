// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMenu>

// A popup menu with the program's look: a band of 64 blues down its left side carrying a
// caption turned on its side, light items on a night-blue ground.
class CaptionedMenu : public QMenu {
    Q_OBJECT
public:
    static constexpr int BandWidth = 24;
    static constexpr int BandColours = 64;

    // An empty caption gives the band alone, and the menu stays as short as its items (a
    // submenu of two items would otherwise hang an empty band below them).
    CaptionedMenu(const QString& caption, const QString& itemFamily, bool boldItems,
                  QWidget* parent = nullptr);

    const QString& caption() const { return m_caption; }
    // Colour n (0 to 63) of the band, from the dark top to the light bottom.
    static QColor bandColour(int n);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
};
