// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/ClickSource.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(ClickSource, ADoubleClickIsOneClickAndOneDoubleClick) {
    QLabel label(QStringLiteral(">"));
    label.resize(20, 20);
    label.show();
    ClickSource* source = ClickSource::on(&label);
    EXPECT_EQ(ClickSource::on(&label), source) << "one source per widget";
    QSignalSpy clicks(source, &ClickSource::clicked);
    QSignalSpy doubles(source, &ClickSource::doubleClicked);

    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    // What the window system delivers for a double click: press, release, double-click, release.
    const auto send = [&label](QEvent::Type type) {
        QMouseEvent event(type, QPointF(5, 5), label.mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&label, &event);
    };
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease})
        send(type);
    EXPECT_EQ(doubles.count(), 1);
    EXPECT_EQ(clicks.count(), 2) << "the double click added one click, not two";

    QTest::mouseClick(&label, Qt::RightButton);
    EXPECT_EQ(clicks.count(), 2);
    QTest::mousePress(&label, Qt::LeftButton);
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(200, 5)); // released elsewhere
    EXPECT_EQ(clicks.count(), 2);
}

} // namespace
