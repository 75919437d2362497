// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

// The program's texts break their lines with LF CR. A tooltip shows the CR as a blank at the
// start of the next line, so the hints of every window are shown with each LF CR as one line
// break; the texts themselves keep their LF CR.
class HintLineBreaks : public QObject {
    Q_OBJECT
public:
    explicit HintLineBreaks(QObject* parent = nullptr);

    static QString shownText(const QString& hint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
