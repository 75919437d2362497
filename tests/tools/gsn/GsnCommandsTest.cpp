// SPDX-License-Identifier: GPL-3.0-or-later
#include "GsnFixture.h"
#include "core/Windows1251.h"
#include "sound/LibraryBytes.h"
#include "sound/SoundImport.h"
#include "sound/WaveImage.h"
#include "support/WaveImage.h"

namespace {

// Sounds the import takes as they are: mono, no silence at the ends, loud enough.
const QByteArray waveA = sineWave(1.0, 440);
const QByteArray waveB = sineWave(0.8, 660, 48000);

TEST_F(Gsn, PackThenListAndExtract) {
    const QString a = writeFile("a.wav", waveA);
    const QString b = writeFile("b.wav", waveB);
    ASSERT_EQ(run({"pack", path("lib.gsn"), "--description", "Скрип двери", a, "--description",
                   "second", b}),
              0)
        << err.toStdString();

    ASSERT_EQ(run({"list", path("lib.gsn")}), 0) << err.toStdString();
    EXPECT_TRUE(out.contains("2 sounds"));
    EXPECT_TRUE(out.contains("0x0B")) << out.toStdString();
    // The 22050 Hz and 48000 Hz inputs are stored at the libraries' rate.
    EXPECT_EQ(out.count("PCM 16-bit mono 44100 Hz"), 2) << out.toStdString();
    EXPECT_TRUE(out.contains("Скрип двери")) << out.toStdString();

    const auto list = load(path("lib.gsn"));
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0).Description, *Windows1251::encode(u"Скрип двери"));
    EXPECT_EQ(list->item(1).Description, "second");

    ASSERT_EQ(run({"extract", path("lib.gsn"), path("out")}), 0) << err.toStdString();
    EXPECT_EQ(readFile(path("out/0.wav")), list->wave(0).image());
    EXPECT_EQ(readFile(path("out/1.wav")), list->wave(1).image());
}

TEST_F(Gsn, PlainPackStoresUncompressed) {
    const QString a = writeFile("a.wav", waveA);
    ASSERT_EQ(run({"pack", "--plain", path("plain.gsn"), a}), 0) << err.toStdString();
    ASSERT_EQ(run({"pack", path("packed.gsn"), a}), 0) << err.toStdString();
    const auto plain = load(path("plain.gsn"));
    const auto packed = load(path("packed.gsn"));
    ASSERT_EQ(plain->count(), 1);
    ASSERT_EQ(packed->count(), 1);
    EXPECT_FALSE(plain->item(0).Compressed);
    EXPECT_TRUE(packed->item(0).Compressed);
    EXPECT_EQ(plain->wave(0).image(), packed->wave(0).image());
}

TEST_F(Gsn, PackCutsTheSilenceAtTheEndsUnlessTold) {
    const QString quiet = writeRecording(
        path("quiet.flac"), {SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 22050, 1, 0.6, 1.5, 0.9});
    struct Case {
        QStringList options;
        double seconds;
    };
    const Case cases[] = {{{}, 1.5 + 2 * SoundImport::silenceMargin},
                          {{"--no-trim"}, 0.6 + 1.5 + 0.9},
                          {{"--plain", "--no-trim"}, 0.6 + 1.5 + 0.9}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        ASSERT_EQ(run(QStringList{"pack"} + c.options + QStringList{path("t.gsn"), quiet}), 0)
            << err.toStdString();
        const auto format = WaveImage::format(load(path("t.gsn"))->wave(0).image());
        ASSERT_TRUE(format);
        EXPECT_NEAR(format->seconds(), c.seconds, 0.02);
    }
}

TEST_F(Gsn, DescriptionLimitIsCountedInWindows1251Bytes) {
    const QString a = writeFile("a.wav", waveA);
    for (const char* command : {"pack", "add"}) {
        SCOPED_TRACE(command);
        const QString verb = QLatin1String(command);
        // 255 Cyrillic letters are 510 bytes of UTF-8 but fit in 255 bytes of Windows-1251.
        EXPECT_EQ(run({verb, path(verb + "ok.gsn"), "--description", QString(255, u'ж'), a}), 0)
            << err.toStdString();
        EXPECT_EQ(run({verb, path(verb + "long.gsn"), "--description", QString(256, 'x'), a}), 1);
        EXPECT_TRUE(err.contains("255")) << err.toStdString();
        EXPECT_EQ(run({verb, path(verb + "han.gsn"), "--description", "門", a}), 1);
        EXPECT_TRUE(err.contains("Windows-1251"));
        EXPECT_FALSE(QFile::exists(path(verb + "long.gsn")));
        EXPECT_FALSE(QFile::exists(path(verb + "han.gsn")));
    }
}

TEST_F(Gsn, PackRefusesWhatItCannotRead) {
    const QString text = writeFile("notes.txt", "not a sound at all, just text");
    const QString shortRiff = writeFile("short.wav", waveA.left(20));
    for (const QString& input : {text, shortRiff, path("missing.wav")}) {
        EXPECT_EQ(run({"pack", path("bad.gsn"), input}), 1);
        EXPECT_TRUE(err.contains(input)) << err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(path("bad.gsn")));
}

TEST_F(Gsn, CheckReportsTheFileAndTheReason) {
    const QString a = writeFile("a.wav", waveA);
    ASSERT_EQ(run({"pack", path("good.gsn"), a, a}), 0);
    EXPECT_EQ(run({"check", path("good.gsn")}), 0);
    EXPECT_TRUE(out.contains("ok, 2 sounds"));

    const QByteArray good = readFile(path("good.gsn"));
    const QString truncated = writeFile("cut.gsn", good.left(good.size() - 10));
    EXPECT_EQ(run({"check", truncated}), 1);
    EXPECT_TRUE(err.contains(truncated) && err.contains("ends inside")) << err.toStdString();

    const QString notLibrary = writeFile("a-copy.gsn", waveA);
    EXPECT_EQ(run({"check", notLibrary}), 1);
    EXPECT_TRUE(err.contains("not a sound library"));

    EXPECT_EQ(run({"check", path("absent.gsn")}), 1);
    EXPECT_TRUE(err.contains("absent.gsn"));
}

TEST_F(Gsn, ExtractSkipsEmptySounds) {
    using namespace LibraryBytes;
    const QString lib =
        writeFile("e.gsn", library({bytes({0}), bytes({8}) + le32(waveB.size()) + waveB}));
    ASSERT_EQ(run({"extract", lib, path("x")}), 0);
    EXPECT_FALSE(QFile::exists(path("x/0.wav")));
    EXPECT_EQ(readFile(path("x/1.wav")), waveB);
}

TEST_F(Gsn, ListShowsEachSoundsLoudness) {
    using namespace LibraryBytes;
    const auto plain = [](const QByteArray& image) {
        return bytes({8}) + le32(image.size()) + image;
    };
    const QString lib =
        writeFile("l.gsn", library({plain(sineWave(2.0, 997, 22050, 0.1)),
                                    plain(sineWave(1.0, 997, 22050, 0)), plain(sineWave(0.3, 997)),
                                    bytes({0}), plain(sineWave(2.0, 997, 22050, 0.01))}));
    ASSERT_EQ(run({"list", lib}), 0) << err.toStdString();
    const QStringList lines = out.split('\n');
    ASSERT_GE(lines.size(), 7) << out.toStdString();
    EXPECT_TRUE(lines[1].contains("loudness"));
    const char* expected[] = {"-23.0 LUFS", "-inf LUFS", "-inf LUFS", " - ", "-43.0 LUFS"};
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(lines[2 + i].contains(QLatin1String(expected[i])))
            << lines[2 + i].toStdString();
}

TEST_F(Gsn, HelpIsAnAnswerNotAFailure) {
    for (const char* option : {"--help", "-h"}) {
        SCOPED_TRACE(option);
        EXPECT_EQ(run({QLatin1String(option)}), 0);
        EXPECT_TRUE(out.startsWith("usage: gsn list FILE\n")) << out.toStdString();
        EXPECT_TRUE(err.isEmpty()) << err.toStdString();
    }
}

TEST_F(Gsn, WrongUsage) {
    for (const QStringList& arguments : {QStringList{},
                                         {"list"},
                                         {"frobnicate", "x"},
                                         {"pack", "out.gsn"},
                                         {"pack", "--zip", "o", "a"},
                                         {"pack", "o", "a", "--description"},
                                         {"extract", "only-one"},
                                         {"add", "lib.gsn"},
                                         {"add", "--plain", "lib.gsn", "a.wav"},
                                         {"remove", "lib.gsn"},
                                         {"remove", "lib.gsn", "first"}}) {
        EXPECT_EQ(run(arguments), 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(err.contains("usage"));
    }
}

} // namespace
