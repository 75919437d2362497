// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/PictureKeptWhileUsed.h"

#include "support/WarningRecorder.h"
#include "widgetkit/ImageList.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

bool releasedWithin(const PictureKeptWhileUsed& picture, int ms) {
    for (int waited = 0; waited < ms && picture.held(); waited += 10)
        QTest::qWait(10);
    return !picture.held();
}

TEST(PictureKeptWhileUsed, ReadAtUseKeptWhileUsedAndLetGoWhenNotUsed) {
    PictureKeptWhileUsed skin(QStringLiteral("Img/Skin.png"), QImage::Format_RGB888, 1000ms);
    EXPECT_FALSE(skin.held()) << "nothing read before a paint asks";
    const QImage expected =
        ImageList::picture(QStringLiteral("Img/Skin.png")).convertToFormat(QImage::Format_RGB888);
    ASSERT_FALSE(expected.isNull());

    EXPECT_EQ(skin.use(), expected);
    QTest::qWait(100);
    EXPECT_EQ(skin.use(), expected);
    EXPECT_EQ(skin.reads(), 1) << "held between uses";
    EXPECT_GT(skin.msUntilRelease(), 900) << "each use keeps it for the whole time again";

    EXPECT_TRUE(releasedWithin(skin, 3000)) << "let go once unused";
    EXPECT_EQ(skin.use(), expected) << "read again, the same pixels";
    EXPECT_EQ(skin.reads(), 2);
}

TEST(PictureKeptWhileUsed, AnUnreadableFileIsTriedOnceAndStaysEmpty) {
    WarningRecorder warnings("gloamery.app");
    PictureKeptWhileUsed missing(QStringLiteral("Img/NoSuchSkin.png"), QImage::Format_RGB888,
                                 1000ms);
    EXPECT_TRUE(missing.use().isNull());
    EXPECT_TRUE(missing.use().isNull());
    EXPECT_EQ(missing.reads(), 1);
    EXPECT_EQ(warnings.messages().size(), 1);
}

} // namespace
