// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageListWriter.h"

#include "ArtKit.h"
#include "widgetkit/ImageList.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QImage solid(int width, int height) {
    return ArtKit::filledImage(width, height, Qt::darkBlue);
}

QStringList indexLines(const QString& res, const QString& name) {
    QFile file(res + "/Img/" + name + "/index.txt");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

TEST(ImageListWriter, WhatItWritesLoadsBackWithPlaceholdersForUnsetEntries) {
    const QTemporaryDir res;
    ImageListWriter writer("Demo", 4, QSize(7, 9));
    writer.set(0, solid(10, 20), "first");
    writer.set(2, solid(30, 5), "\"Старт\" button");
    ASSERT_EQ(writer.write(res.path()), QString());
    EXPECT_EQ(writer.placeholders(), (QVector<int>{1, 3}));

    const ImageList list("Demo", res.path());
    ASSERT_EQ(list.count(), 4);
    EXPECT_EQ(list.image(0).size(), QSize(10, 20));
    EXPECT_EQ(list.image(2).size(), QSize(30, 5));
    for (const int placeholder : {1, 3}) {
        const QImage image = list.image(placeholder);
        ASSERT_EQ(image.size(), QSize(7, 9));
        EXPECT_EQ(qAlpha(image.pixel(3, 4)), 0);
    }

    const QStringList lines = indexLines(res.path(), "Demo");
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith('#'));
    EXPECT_EQ(lines[1], "0 10x20 first");
    EXPECT_EQ(lines[3], "2 30x5 \"Старт\" button");
    EXPECT_TRUE(lines[2].startsWith("1 7x9 placeholder"));
}

TEST(ImageListWriter, ASecondShorterRunLeavesNoStaleEntries) {
    const QTemporaryDir res;
    ImageListWriter longer("List", 5, QSize(4, 4));
    ASSERT_EQ(longer.write(res.path()), QString());
    ImageListWriter shorter("List", 2, QSize(4, 4));
    ASSERT_EQ(shorter.write(res.path()), QString());
    EXPECT_FALSE(QFile::exists(res.path() + "/Img/List/4.png"));
    EXPECT_EQ(ImageList("List", res.path()).count(), 2);
}

TEST(ImageListWriter, ReportsAFolderItCannotCreate) {
    const QTemporaryDir parent;
    const QString blocked = parent.path() + "/file";
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ImageListWriter writer("List", 1, QSize(4, 4));
    EXPECT_FALSE(writer.write(blocked).isEmpty());
}

TEST(ImageListWriter, ContactSheetHasACellForEveryEntry) {
    ImageListWriter few("Few", 3, QSize(20, 20));
    ImageListWriter many("Many", 60, QSize(20, 20));
    const QImage small = few.contactSheet();
    const QImage large = many.contactSheet();
    ASSERT_FALSE(small.isNull());
    EXPECT_GT(large.width() * large.height(), 10 * small.width() * small.height());
}

} // namespace
