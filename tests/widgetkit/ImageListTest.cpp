// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/ImageList.h"

#include "support/WarningRecorder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ImageListFolder {
public:
    explicit ImageListFolder(const QString& name)
        : m_list(m_res.path() + "/Img/" + name) {
        QDir().mkpath(m_list);
    }
    QString res() const { return m_res.path(); }
    void picture(int entry, QSize size) {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::blue);
        ASSERT_TRUE(image.save(file(entry)));
    }
    // A picture whose every pixel differs from its neighbours, half transparent in places.
    void pattern(int entry, QSize size) {
        QImage image(size, QImage::Format_ARGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                image.setPixel(x, y,
                               qRgba(x * 7 + entry, y * 5, (x ^ y) & 0xFF,
                                     (x % 3) * 127 + (x % 3 == 2 ? 1 : 0)));
        ASSERT_TRUE(image.save(file(entry)));
    }
    QString file(int entry) const { return m_list + QStringLiteral("/%1.png").arg(entry); }
    void index(const QByteArray& text) {
        QFile file(m_list + "/index.txt");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    void garbage(int entry) {
        QFile file(m_list + QStringLiteral("/%1.png").arg(entry));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a picture");
    }

private:
    QTemporaryDir m_res;
    QString m_list;
};

TEST(ImageList, LoadsEveryEntryTheIndexNamesWithItsOwnSize) {
    ImageListFolder folder("Demo");
    folder.index("# Demo\n0 10x20 first\n1 30x40 second\n\n2 5x5 third\n");
    folder.picture(0, {10, 20});
    folder.picture(1, {30, 40});
    folder.picture(2, {5, 5});
    const ImageList list("Demo", folder.res());
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.pixmap(0).size(), QSize(10, 20));
    EXPECT_EQ(list.pixmap(1).size(), QSize(30, 40));
    EXPECT_EQ(list.image(2).size(), QSize(5, 5));
}

TEST(ImageList, MissingOrBrokenEntriesGiveEmptyPicturesAndOneWarningEach) {
    ImageListFolder folder("Holes");
    folder.index("0 8x8 a\n1 8x8 b\n2 8x8 c\n3 8x8 d\n");
    folder.picture(0, {8, 8});
    folder.picture(2, {8, 8});
    folder.garbage(3);
    const WarningRecorder warnings("gloamery.app");
    const ImageList list("Holes", folder.res());
    EXPECT_EQ(list.count(), 4);

    struct Case {
        int entry;
        bool present;
    };
    for (const Case& c : {Case{0, true}, Case{1, false}, Case{2, true}, Case{3, false},
                          Case{4, false}, Case{-1, false}, Case{62, false}}) {
        SCOPED_TRACE(c.entry);
        EXPECT_EQ(!list.pixmap(c.entry).isNull(), c.present);
        EXPECT_EQ(!list.image(c.entry).isNull(), c.present);
    }
    // Asking again, as a window's timer does, adds no warnings.
    const qsizetype afterFirstRound = warnings.messages().size();
    list.pixmap(1);
    list.pixmap(62);
    EXPECT_EQ(warnings.messages().size(), afterFirstRound);
    ASSERT_EQ(afterFirstRound, 5);
    EXPECT_TRUE(warnings.messages()[0].contains("1.png"));
    EXPECT_TRUE(warnings.messages()[1].contains("3.png"));
}

TEST(ImageList, AnIndexLineWithAHugeEntryIsIgnored) {
    for (const char* huge : {"2147483647", "100000000", "1024"}) {
        ImageListFolder folder("Huge");
        folder.index(QByteArray("0 4x4 a\n") + huge + " 4x4 b\n1 4x4 c\n");
        folder.picture(0, {4, 4});
        folder.picture(1, {4, 4});
        const WarningRecorder warnings("gloamery.app");
        const ImageList list("Huge", folder.res());
        EXPECT_EQ(list.count(), 2) << huge;
        EXPECT_FALSE(list.pixmap(1).isNull()) << huge;
        ASSERT_EQ(warnings.messages().size(), 1) << huge;
        EXPECT_TRUE(warnings.messages().first().contains(QLatin1String(huge))) << huge;
    }
}

TEST(ImageList, WithoutIndexTheListIsTheUnbrokenRunOfFiles) {
    ImageListFolder folder("Plain");
    folder.picture(0, {4, 4});
    folder.picture(1, {4, 4});
    folder.picture(3, {4, 4});
    const ImageList list("Plain", folder.res());
    EXPECT_EQ(list.count(), 2);
    EXPECT_TRUE(list.pixmap(3).isNull());
}

TEST(ImageList, AMissingListIsEmptyAndSaysSo) {
    const QTemporaryDir res;
    const WarningRecorder warnings("gloamery.app");
    const ImageList list("Nowhere", res.path());
    EXPECT_EQ(list.count(), 0);
    EXPECT_TRUE(list.pixmap(0).isNull());
    ASSERT_FALSE(warnings.messages().isEmpty());
    EXPECT_TRUE(warnings.messages().first().contains("Nowhere"));
}

TEST(ImageList, AnEntryIsReadOnlyWhenFirstAskedForAndGivesTheFilesPixels) {
    ImageListFolder folder("Lazy");
    folder.index("0 6x4 a\n1 9x3 b\n2 4x4 c\n3 5x7 d\n");
    for (int entry = 0; entry < 4; ++entry)
        folder.pattern(entry, entry == 1 ? QSize(9, 3) : QSize(6, 4));
    const ImageList list("Lazy", folder.res());
    EXPECT_EQ(list.count(), 4);
    EXPECT_EQ(list.decodedCount(), 0) << "nothing is read when the list is made";

    struct Step {
        const char* asks;
        int entry;
        bool pixmap;
        int decodedAfter;
    };
    const Step steps[] = {
        {"a picture", 2, false, 1},     {"the same one again", 2, false, 1},
        {"its pixmap", 2, true, 1},     {"another pixmap", 0, true, 2},
        {"its picture", 0, false, 2},   {"a third", 1, false, 3},
        {"no such entry", 7, false, 3},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.asks);
        const QImage shown =
            step.pixmap ? list.pixmap(step.entry).toImage() : list.image(step.entry);
        EXPECT_EQ(list.decodedCount(), step.decodedAfter);
        if (step.entry >= list.count()) {
            EXPECT_TRUE(shown.isNull());
            continue;
        }
        const QImage file(folder.file(step.entry));
        ASSERT_FALSE(file.isNull());
        // Compared as the screen gets them: a pixmap keeps its pixels premultiplied.
        EXPECT_EQ(shown.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  file.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
}

TEST(ImageList, WindowsShareOneCopyOfAPicture) {
    ImageListFolder folder("Shared");
    folder.index("0 40x30 a\n");
    folder.pattern(0, {40, 30});
    const ImageList list("Shared", folder.res());

    // Two windows showing the entry get the same pixmap, not a copy each.
    const QPixmap first = list.pixmap(0);
    const QPixmap second = list.pixmap(0);
    EXPECT_EQ(first.cacheKey(), second.cacheKey());
    // A window that draws the picture itself reads the pixmap's own pixels.
    const QImage drawn = list.image(0);
    const QImage drawnAgain = list.image(0);
    EXPECT_EQ(drawn.constBits(), drawnAgain.constBits());
    EXPECT_EQ(drawn.constBits(), first.toImage().constBits());
}

TEST(ImageList, AMissingSinglePictureIsEmptyWithAWarning) {
    const WarningRecorder warnings("gloamery.app");
    EXPECT_TRUE(ImageList::picture("Img/NoSuchPicture.png").isNull());
    ASSERT_EQ(warnings.messages().size(), 1);
    EXPECT_TRUE(warnings.messages().first().contains("NoSuchPicture.png"));
}

} // namespace
