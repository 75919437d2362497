// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

// Clicks on any widget (labels and pictures serve as buttons), counted the way users of the
// program expect: a click is a left press followed by its release over the widget; a double
// click gives one click and then one doubleClicked(), never two clicks. Controls that step twice
// on a double click connect both signals.
class ClickSource : public QObject {
    Q_OBJECT
public:
    static ClickSource* on(QWidget* widget);

signals:
    void pressed();
    void released();
    void clicked();
    void doubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ClickSource(QWidget* widget);

    QWidget* m_widget;
    bool m_pressCounts = false;
};
