// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/ColorKey.h"
#include "widgetkit/ImageList.h"
#include "widgetkit/ProgramIcon.h"

#include <QBitmap>
#include <QRegion>

#include <gtest/gtest.h>

#include <vector>

// The pictures the build generates beside the executables, as the windows will load them.
namespace {

struct Bound {
    int first;
    int last;
    QSize size;
};

struct ListCase {
    const char* name;
    int count;
    std::vector<Bound> sizes;
};

const std::vector<ListCase>& generatedLists() {
    static const std::vector<ListCase> lists{
        {"BitmapList_Btn",
         65,
         {{0, 5, {22, 23}},
          {6, 7, {48, 48}},
          {8, 11, {19, 10}},
          {18, 18, {6, 40}},
          {19, 19, {5, 40}},
          {20, 22, {40, 40}}}},
        {"BitmapList_Yellow",
         68,
         {{6, 8, {164, 50}},
          {15, 17, {164, 50}},
          {21, 23, {164, 50}},
          {33, 35, {164, 50}},
          {39, 39, {311, 30}},
          {42, 44, {23, 23}},
          {49, 49, {764, 410}},
          {50, 50, {764, 350}},
          {51, 52, {18, 10}},
          {55, 56, {91, 32}},
          {57, 58, {23, 23}},
          {62, 67, {164, 50}}}},
        {"BitmapList_Ghost", 40, {{0, 39, {120, 120}}}},
        {"BitmapList_GhostFoto", 9, {{1, 8, {90, 90}}}},
        {"BitmapList_GhostPassport", 16, {{0, 5, {90, 90}}, {11, 15, {90, 90}}}},
        {"BitmapList_YellowMenu", 33, {{0, 0, {764, 42}}, {1, 32, {82, 42}}}},
        {"BitmapList_Scroll_1", 5, {{0, 0, {21, 32}}, {1, 4, {21, 30}}}},
        {"MenuPictures", 10, {{0, 9, {20, 20}}}},
        {"fmNet/BitmapList_Btn",
         119,
         {{34, 35, {22, 23}},
          {46, 48, {40, 40}},
          {69, 72, {22, 22}},
          {81, 83, {40, 40}},
          {87, 94, {22, 22}},
          {112, 114, {14, 32}},
          {116, 118, {14, 32}}}},
    };
    return lists;
}

bool hasVisiblePixels(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(argb.pixel(x, y)) > 0)
                return true;
        }
    }
    return false;
}

TEST(GeneratedArtwork, ListsHaveTheirEntryCountsAndBoundSizes) {
    for (const ListCase& c : generatedLists()) {
        SCOPED_TRACE(c.name);
        const ImageList list(QString::fromLatin1(c.name));
        ASSERT_EQ(list.count(), c.count);
        for (const Bound& bound : c.sizes) {
            for (int entry = bound.first; entry <= bound.last; ++entry) {
                SCOPED_TRACE(entry);
                const QPixmap pixmap = list.pixmap(entry);
                EXPECT_EQ(pixmap.size(), bound.size);
                // A bound entry must show something; a blank one would pass unnoticed.
                EXPECT_TRUE(hasVisiblePixels(list.image(entry)));
            }
        }
    }
}

TEST(GeneratedArtwork, PicturesWithWordsDifferByLanguage) {
    const ImageList yellow("BitmapList_Yellow");
    const ImageList tabs("BitmapList_YellowMenu");
    const ImageList ghosts("BitmapList_Ghost");
    struct Pair {
        const ImageList* list;
        int english;
        int russian;
    };
    std::vector<Pair> pairs;
    for (int state = 0; state < 3; ++state) {
        pairs.push_back({&yellow, 15 + state, 33 + state});
        pairs.push_back({&yellow, 6 + state, 21 + state});
        pairs.push_back({&yellow, 62 + state, 65 + state});
    }
    for (int ghost = 1; ghost <= 8; ++ghost) {
        pairs.push_back({&tabs, ghost, 8 + ghost});
        pairs.push_back({&tabs, 16 + ghost, 24 + ghost});
    }
    for (int ghost = 0; ghost < 4; ++ghost)
        pairs.push_back({&ghosts, 10 * ghost + 9, 10 * ghost + 8});
    for (const Pair& pair : pairs) {
        SCOPED_TRACE(testing::Message() << pair.list->name().toStdString() << " " << pair.english
                                        << "/" << pair.russian);
        const QImage english = pair.list->image(pair.english);
        ASSERT_FALSE(english.isNull());
        EXPECT_NE(english, pair.list->image(pair.russian));
    }
    // The three states of one button must be told apart, too.
    EXPECT_NE(yellow.image(15), yellow.image(16));
    EXPECT_NE(yellow.image(16), yellow.image(17));
}

TEST(GeneratedArtwork, SkinIsOpaqueWithMagentaOutsideItsShape) {
    const QImage skin = ImageList::picture("Img/Skin.png");
    ASSERT_EQ(skin.size(), QSize(800, 600));
    EXPECT_FALSE(skin.hasAlphaChannel());
    const QRgb magenta = qRgb(255, 0, 255);
    for (const QPoint corner : {QPoint(0, 0), QPoint(799, 0), QPoint(0, 599), QPoint(799, 599)})
        EXPECT_EQ(skin.pixel(corner), magenta) << corner.x() << "," << corner.y();
    // The window's region starts at (1,1): row 0 and column 0 are never part of it.
    for (int x = 0; x < 800; ++x)
        EXPECT_EQ(skin.pixel(x, 0), magenta) << x;
    for (int y = 0; y < 600; ++y)
        EXPECT_EQ(skin.pixel(0, y), magenta) << y;
}

TEST(GeneratedArtwork, SkinRegionExcludesMagentaAndCoversFrameAndControls) {
    const QImage skin = ImageList::picture("Img/Skin.png");
    ASSERT_FALSE(skin.isNull());
    const QRegion region = ColorKey::regionWithoutKey(skin);

    // Qt's own conversion of the same mask is the reference.
    const QBitmap visible =
        QBitmap::fromImage(skin.createMaskFromColor(qRgb(255, 0, 255), Qt::MaskInColor));
    // Compared as point sets: the two may split the same shape into different rectangles.
    EXPECT_TRUE(region.xored(QRegion(visible)).isEmpty());
    EXPECT_TRUE(QRect(1, 1, 799, 599).contains(region.boundingRect()));
    // A shape that was cut from an outline, not a plain rectangle.
    EXPECT_GT(region.rectCount(), 50);

    struct Place {
        const char* what;
        QRect rect;
    };
    const Place places[] = {
        {"left frame", {8, 100, 12, 400}},       {"right frame", {780, 100, 12, 400}},
        {"top frame", {320, 26, 360, 12}},       {"bottom frame", {60, 536, 680, 10}},
        {"close button", {710, 13, 48, 48}},     {"title corner", {26, 12, 270, 56}},
        {"ghost pictures", {45, 152, 690, 120}}, {"start button", {316, 318, 164, 50}},
    };
    for (const Place& place : places) {
        SCOPED_TRACE(place.what);
        EXPECT_EQ(region.intersected(place.rect), QRegion(place.rect));
    }
    for (const QPoint outside : {QPoint(3, 3), QPoint(796, 596), QPoint(400, 599), QPoint(2, 300)})
        EXPECT_FALSE(region.contains(outside)) << outside.x() << "," << outside.y();
}

TEST(GeneratedArtwork, SkinHasDripsBelowTheFrame) {
    const QRegion region = ColorKey::regionWithoutKey(ImageList::picture("Img/Skin.png"));
    // Below the frame the shape breaks into separate, narrow drips.
    const QRegion row = region.intersected(QRect(0, 570, 800, 1));
    EXPECT_GE(row.rectCount(), 5);
    int visible = 0;
    for (const QRect& run : row)
        visible += run.width();
    EXPECT_LT(visible, 200);
    EXPECT_FALSE(region.intersected(QRect(0, 590, 800, 1)).isEmpty());
}

TEST(GeneratedArtwork, IconsExistInTheSizesTheTrayAndDesktopUse) {
    for (const char* file :
         {"Img/Icon/tray-32.png", "Img/Icon/tray-64.png", "Img/Icon/app-256.png"}) {
        SCOPED_TRACE(file);
        const QImage icon = ImageList::picture(QString::fromLatin1(file));
        ASSERT_FALSE(icon.isNull());
        EXPECT_EQ(icon.width(), icon.height());
        EXPECT_TRUE(icon.hasAlphaChannel());
    }
    EXPECT_EQ(ImageList::picture("Img/Icon/tray-32.png").width(), 32);
}

// The desktop's icon theme and the window take one picture per size: each drawn at its size, not
// scaled from another; the window's icon holds the small ones.
TEST(GeneratedArtwork, TheProgramIconComesInEverySizeTheDesktopAsksFor) {
    for (const int size : ProgramIcon::Sizes) {
        SCOPED_TRACE(size);
        const QImage icon = ImageList::picture(QStringLiteral("Img/Icon/app-%1.png").arg(size));
        ASSERT_EQ(icon.size(), QSize(size, size));
        EXPECT_TRUE(icon.hasAlphaChannel());
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << "the corners are transparent";
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << "the middle is drawn";
    }
    QList<QSize> expected;
    for (const int size : ProgramIcon::WindowSizes)
        expected << QSize(size, size);
    EXPECT_EQ(ProgramIcon::load().availableSizes(), expected);
}

} // namespace
