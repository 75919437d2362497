// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SoundLibraryEdit.h"

#include "support/WaveImage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace {

using Problem = SoundLibraryEdit::Problem;

SoundLibraryEdit libraryOf(int sounds) {
    SoundLibraryEdit edit;
    for (int i = 0; i < sounds; ++i)
        edit.add(sineWave(0.01, 300 + i), QStringLiteral("sound %1").arg(i));
    return edit;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(SoundLibraryEdit, RefusesWhatTheFormatOrAnOwnLibraryCannotHold) {
    struct Case {
        const char* name;
        int sounds;
        std::function<SoundLibraryEdit::Outcome(SoundLibraryEdit&)> change;
        Problem expected;
        int countAfter;
    };
    const QString cyrillic255(255, QChar(0x0416));
    const Case cases[] = {
        {"AddToNinetyNine", 99, [](auto& e) { return e.add(sineWave(0.01), {}); }, Problem::None,
         100},
        {"AddToAHundred", 100, [](auto& e) { return e.add(sineWave(0.01), {}); }, Problem::Full,
         100},
        {"RemoveOneOfTwo", 2, [](auto& e) { return e.remove(1); }, Problem::None, 1},
        {"RemoveTheLast", 1, [](auto& e) { return e.remove(0); }, Problem::LastSound, 1},
        {"RemoveBeyond", 3, [](auto& e) { return e.remove(3); }, Problem::NoSuchSound, 3},
        {"DescribeBeyond", 3, [](auto& e) { return e.setDescription(-1, {}); },
         Problem::NoSuchSound, 3},
        {"CyrillicFitsOneByteEach", 1, [&](auto& e) { return e.setDescription(0, cyrillic255); },
         Problem::None, 1},
        {"OneByteTooMany", 1,
         [&](auto& e) { return e.setDescription(0, cyrillic255 + QLatin1Char('x')); },
         Problem::DescriptionLong, 1},
        {"NoWindows1251ForIt", 1,
         [](auto& e) { return e.add(sineWave(0.01), QStringLiteral("\u5E7D\u970A")); },
         Problem::NotWindows1251, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SoundLibraryEdit edit = libraryOf(c.sounds);
        const SoundLibraryEdit::Outcome outcome = c.change(edit);
        EXPECT_EQ(outcome.problem, c.expected) << outcome.reason.toStdString();
        EXPECT_EQ(outcome.ok(), outcome.reason.isEmpty());
        EXPECT_EQ(edit.count(), c.countAfter);
    }
}

TEST(SoundLibraryEdit, WritesAFolderAndReadsBackEverySoundAndDescription) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("own/Snd/3b.gsn"));
    SoundLibraryEdit edit = libraryOf(3);
    ASSERT_TRUE(edit.setDescription(1, QStringLiteral("Скрип двери")).ok());
    ASSERT_TRUE(edit.write(path).ok());
    SoundLibraryEdit::Outcome read;
    const SoundLibraryEdit back = SoundLibraryEdit::read(path, &read);
    ASSERT_TRUE(read.ok()) << read.reason.toStdString();
    ASSERT_EQ(back.count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(back.sounds()[std::size_t(i)].image, edit.sounds()[std::size_t(i)].image);
    EXPECT_EQ(back.sounds()[1].description,
              QByteArray("\xD1\xEA\xF0\xE8\xEF \xE4\xE2\xE5\xF0\xE8"));

    const SoundLibraryEdit missing =
        SoundLibraryEdit::read(dir.filePath(QStringLiteral("none.gsn")), &read);
    EXPECT_EQ(read.problem, Problem::Unreadable);
    EXPECT_TRUE(read.reason.contains(QStringLiteral("none.gsn")));
    EXPECT_EQ(missing.count(), 0);
}

// A write that fails part way (the disk full, the folder refused) leaves the old library whole
// and no temporary file beside it.
TEST(SoundLibraryEdit, AFailedWriteLeavesTheOldLibraryWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("2m.gsn"));
    ASSERT_TRUE(libraryOf(2).write(path).ok());
    const QByteArray before = fileBytes(path);

    // Files may grow to just past the old library: the bigger new one runs out of room.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = rlim_t(before.size() + 100);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const SoundLibraryEdit::Outcome full = libraryOf(40).write(path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(full.problem, Problem::WriteFailed);
    EXPECT_TRUE(full.reason.contains(QStringLiteral("2m.gsn"))) << full.reason.toStdString();
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("2m.gsn")});

    // A folder that is a file cannot be made.
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const SoundLibraryEdit::Outcome refused =
        libraryOf(1).write(dir.filePath(QStringLiteral("blocker/Snd/0b.gsn")));
    EXPECT_EQ(refused.problem, Problem::WriteFailed);
}

} // namespace
