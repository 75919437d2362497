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
        ASSERT_TRUE(image.save(m_list + QStringLiteral("/%1.png").arg(entry)));
    }
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

TEST(ImageList, AMissingSinglePictureIsEmptyWithAWarning) {
    const WarningRecorder warnings("gloamery.app");
    EXPECT_TRUE(ImageList::picture("Img/NoSuchPicture.png").isNull());
    ASSERT_EQ(warnings.messages().size(), 1);
    EXPECT_TRUE(warnings.messages().first().contains("NoSuchPicture.png"));
}

} // namespace
