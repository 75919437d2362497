// SPDX-License-Identifier: GPL-3.0-or-later
#include "StageFixture.h"
#include "WorkshopFixture.h"
#include "language/LanguagePhrases.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using namespace workshoptest;

constexpr int Postman = 4;
constexpr int Short = 1;
const int Library = SoundLibraryWorkshop::libraryIndex(Postman, Short);

bool anyHolds(const QStringList& messages, const QString& part) {
    return std::any_of(messages.begin(), messages.end(),
                       [&](const QString& m) { return m.contains(part); });
}

TEST(SoundLibraryWorkshop, ImportAddsEachReadableRecordingToACopyOfTheShippedSoundsInOneWrite) {
    struct Case {
        const char* file;
        int format;
        int rate;
        int channels;
        bool added;
    };
    const Case cases[] = {
        {"stereo48k.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2, true},
        {"mono.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 1, true},
        {"notes.txt", 0, 0, 0, false},
    };
    Workshop w;
    QStringList files;
    for (const Case& c : cases) {
        if (c.format != 0) {
            files << w.recording(c.file, c.format, c.rate, c.channels);
            continue;
        }
        QFile text(QDir(w.recordings).filePath(QLatin1String(c.file)));
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("not a sound at all");
        files << text.fileName();
    }
    QSignalSpy progress(&w.workshop, &SoundLibraryWorkshop::importProgress);
    ASSERT_EQ(w.workshop.importFiles(Library, files, true), QString());
    EXPECT_TRUE(w.workshop.importing());
    const QStringList messages = w.waitForWork();
    EXPECT_FALSE(w.workshop.importing());

    const SoundLibraryEdit shipped = readEdit(w.shipped(Library));
    const SoundLibraryEdit own = readEdit(w.own(Library));
    ASSERT_EQ(shipped.count(), 10);
    ASSERT_EQ(own.count(), 12);
    ASSERT_EQ(w.workshop.library(Library).count(), 12);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(own.sounds()[std::size_t(i)].image, shipped.sounds()[std::size_t(i)].image) << i;
    }
    int next = 10;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString stem = QFileInfo(QLatin1String(c.file)).completeBaseName();
        EXPECT_EQ(anyHolds(messages, QLatin1String(c.file)), !c.added)
            << messages.join('|').toStdString();
        if (c.added) {
            EXPECT_EQ(own.sounds()[std::size_t(next)].description, stem.toLatin1());
            EXPECT_EQ(w.workshop.library(Library).sounds[std::size_t(next)].description, stem);
            ++next;
        }
    }
    EXPECT_TRUE(anyHolds(messages, phrase(Phrase::SoundsFileUnreadable, Language::English)));
    ASSERT_EQ(w.changed.size(), 1);
    EXPECT_EQ(w.changed.at(0), (QVariantList{Postman, Short, 12}));
    EXPECT_TRUE(w.workshop.library(Library).own);
    EXPECT_EQ(w.workshop.library(Library).count(), 12);
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.last().at(1).toInt(), 3);
}

TEST(SoundLibraryWorkshop, TheStagePlaysAnImportedSoundOnceTheWorkshopToldIt) {
    Workshop w;
    stagetest::Stage s;
    const PlatformServices platform{
        .store = &s.temp.store(), .messages = &s.messages, .player = &s.player, .mixer = &s.mixer};
    s.stage = std::make_unique<SoundStage>(platform, w.workshop.places());
    QObject::connect(&w.workshop, &SoundLibraryWorkshop::libraryChanged, s.stage.get(),
                     &SoundStage::libraryChanged);
    // Read before the import: the stage holds the shipped sounds.
    EXPECT_EQ(s.play(stagetest::choice(Postman, Short, 3)).soundCount, 10);

    ASSERT_EQ(w.workshop.importFiles(Library, {w.recording("knock.wav")}, true), QString());
    w.waitForWork();
    QSignalSpy reported(s.stage.get(), &SoundStage::reported);
    s.stage->preview(Postman, Short, 10, 2);
    const SoundReport report = stagetest::Stage::waitForReport(reported);
    EXPECT_TRUE(report.own);
    EXPECT_EQ(report.soundCount, 11);
    EXPECT_EQ(report.choice.SoundNumber, 10);
    EXPECT_EQ(report.description, QStringLiteral("knock"));
    ASSERT_EQ(s.player.plays.size(), 2u);
    EXPECT_EQ(s.player.plays.back().first, readEdit(w.own(Library)).sounds()[10].image);
}

TEST(SoundLibraryWorkshop, ACancelledImportWritesNothing) {
    Workshop w;
    const QStringList files{
        w.recording("long1.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2, 30),
        w.recording("long2.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2, 30)};
    ASSERT_EQ(w.workshop.importFiles(Library, files, true), QString());
    w.workshop.cancelImport();
    EXPECT_EQ(w.waitForWork(),
              QStringList{phrase(Phrase::SoundsImportCancelled, Language::English)});
    EXPECT_FALSE(QFile::exists(w.own(Library)));
    EXPECT_TRUE(w.changed.isEmpty());
    EXPECT_FALSE(w.workshop.library(Library).own);
}

// What is refused at once, before any file is touched, in the language of the moment.
TEST(SoundLibraryWorkshop, RefusesAtOnceWhatCannotBeDone) {
    struct Case {
        const char* name;
        Language language;
        std::function<QString(Workshop&)> ask;
        Phrase expected;
    };
    const auto manyFiles = [](int count) {
        QStringList files;
        for (int i = 0; i < count; ++i)
            files << QStringLiteral("/nowhere/%1.wav").arg(i);
        return files;
    };
    const Case cases[] = {
        {"a second import while one runs", Language::English,
         [](Workshop& w) {
             const QString file =
                 w.recording("long.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2, 20);
             w.workshop.importFiles(Library, {file}, true);
             return w.workshop.importFiles(Library, {file}, true);
         },
         Phrase::SoundsImportBusy},
        {"an edit while an import runs", Language::Russian,
         [](Workshop& w) {
             w.workshop.importFiles(
                 Library, {w.recording("long.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2, 20)},
                 true);
             return w.workshop.removeSound(Library, 0);
         },
         Phrase::SoundsImportBusy},
        {"an import while an edit is written", Language::English,
         [](Workshop& w) {
             w.workshop.setDescription(Library, 0, QStringLiteral("door"));
             return w.workshop.importFiles(Library, {w.recording("a.wav")}, true);
         },
         Phrase::SoundsWorkBusy},
        {"a description Windows-1251 lacks", Language::Russian,
         [](Workshop& w) { return w.workshop.setDescription(Library, 0, QStringLiteral("ドア")); },
         Phrase::SoundsDescriptionNot1251},
        {"a description over 255 bytes", Language::English,
         [](Workshop& w) {
             return w.workshop.setDescription(Library, 0, QString(256, QLatin1Char('x')));
         },
         Phrase::SoundsDescriptionLong},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Workshop w;
        w.language = c.language;
        const QString refusal = c.ask(w);
        QString expected = phrase(c.expected, c.language);
        expected.truncate(expected.indexOf(QLatin1Char('%')) < 0 ? expected.size()
                                                                 : expected.indexOf('%'));
        EXPECT_FALSE(refusal.isEmpty());
        EXPECT_TRUE(refusal.startsWith(expected)) << refusal.toStdString();
        // The refused job never started: only the first one ends.
        w.workshop.cancelImport();
        if (w.workshop.busy())
            w.waitForWork();
        QCoreApplication::processEvents();
        EXPECT_TRUE(w.done.isEmpty());
    }
    // Over the hundred: the shipped library holds ten, so 91 more do not fit.
    Workshop w;
    w.waitForLibraries();
    const QString refusal = w.workshop.importFiles(Library, manyFiles(91), true);
    EXPECT_TRUE(refusal.contains(QLatin1String("room for 90 more"))) << refusal.toStdString();
    EXPECT_FALSE(w.workshop.busy());
}

TEST(SoundLibraryWorkshop, EditsStartFromTheSoundsHeardAndBackToShippedDeletesTheOwnFile) {
    Workshop w;
    const SoundLibraryEdit shipped = readEdit(w.shipped(Library));

    ASSERT_EQ(w.workshop.removeSound(Library, 3), QString());
    w.waitForWork();
    SoundLibraryEdit own = readEdit(w.own(Library));
    ASSERT_EQ(own.count(), 9);
    EXPECT_EQ(own.sounds()[3].image, shipped.sounds()[4].image);
    EXPECT_EQ(w.changed.takeFirst(), (QVariantList{Postman, Short, 9}));

    ASSERT_EQ(w.workshop.setDescription(Library, 2, QStringLiteral("Стук в дверь")), QString());
    w.waitForWork();
    own = readEdit(w.own(Library));
    EXPECT_EQ(own.count(), 9);
    EXPECT_EQ(w.workshop.library(Library).sounds[2].description, QStringLiteral("Стук в дверь"));

    ASSERT_EQ(w.workshop.backToShipped(Library), QString());
    w.waitForWork();
    EXPECT_FALSE(QFile::exists(w.own(Library)));
    EXPECT_EQ(w.changed.last(), (QVariantList{Postman, Short, 10}));
    EXPECT_FALSE(w.workshop.library(Library).own);
    EXPECT_EQ(w.workshop.library(Library).count(), 10);
}

// A file where the own folder should be: nothing can be written, and nothing changes.
TEST(SoundLibraryWorkshop, AFailedWriteNamesTheFileAndLeavesTheLibraryAsItWas) {
    struct Case {
        const char* name;
        std::function<QString(Workshop&)> change;
    };
    const Case cases[] = {
        {"import",
         [](Workshop& w) {
             return w.workshop.importFiles(Library, {w.recording("a.wav")}, true);
         }},
        {"remove",
         [](Workshop& w) {
             return w.workshop.removeSound(Library, 1);
         }},
        {"describe",
         [](Workshop& w) {
             return w.workshop.setDescription(Library, 1, QStringLiteral("x"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Workshop w;
        QFile blocker(w.ownFolder);
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        ASSERT_EQ(c.change(w), QString());
        const QStringList messages = w.waitForWork();
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains(QDir::toNativeSeparators(w.own(Library))))
            << messages[0].toStdString();
        EXPECT_TRUE(w.changed.isEmpty());
        EXPECT_FALSE(w.workshop.library(Library).own);
        EXPECT_EQ(w.workshop.library(Library).count(), 10);
    }
}

} // namespace
