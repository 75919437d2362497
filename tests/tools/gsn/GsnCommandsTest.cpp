// SPDX-License-Identifier: GPL-3.0-or-later
#include "GsnCommands.h"

#include "core/Windows1251.h"
#include "sound/LibraryBytes.h"
#include "sound/LoudnessMeter.h"
#include "sound/SoundLibraryWriter.h"
#include "sound/TLMDWaveList.h"
#include "sound/WaveImage.h"
#include "support/WaveImage.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

#include <memory>
#include <sndfile.h>

namespace {

// A 440 Hz tone at -12 dBFS between stretches of silence, as libsndfile writes it in `format`.
QString writeRecording(const QString& file, int format, int rate, int channels, double lead,
                       double seconds, double tail) {
    SF_INFO info{0, rate, channels, format, 0, 0};
    SNDFILE* sound = sf_open(file.toLocal8Bit().constData(), SFM_WRITE, &info);
    EXPECT_NE(sound, nullptr) << sf_strerror(nullptr);
    const auto frames = [rate](double s) {
        return std::size_t(s * rate);
    };
    std::vector<float> samples((frames(lead) + frames(seconds) + frames(tail)) * channels);
    const double n = double(frames(seconds)), fade = 0.01 * rate; // no click at the edges
    for (std::size_t i = 0; i < frames(seconds); ++i)
        for (int c = 0; c < channels; ++c)
            samples[(frames(lead) + i) * channels + c] =
                float(0.25 * std::min({1.0, double(i) / fade, (n - double(i)) / fade}) *
                      std::sin(2 * std::numbers::pi * 440 * double(i) / rate));
    sf_writef_float(sound, samples.data(), sf_count_t(samples.size() / channels));
    sf_close(sound);
    return file;
}

class Gsn : public ::testing::Test {
protected:
    int run(const QStringList& arguments) {
        out.clear();
        err.clear();
        QTextStream o(&out);
        QTextStream e(&err);
        GsnCommands commands(o, e, places);
        return commands.run(arguments);
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString writeFile(const QString& name, const QByteArray& bytes) {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path(name);
    }
    static QByteArray readFile(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static std::unique_ptr<TLMDWaveList> load(const QString& file) {
        auto list = std::make_unique<TLMDWaveList>();
        list->LoadSoundLibrary(file);
        return list;
    }
    static QByteArrayList descriptions(const QString& file) {
        QByteArrayList found;
        for (const auto list = load(file); found.size() < list->count();)
            found.append(list->item(int(found.size())).Description);
        return found;
    }

    QTemporaryDir dir;
    SoundLibraryPlaces places;
    QString out;
    QString err;
    // Sounds the import keeps as they are: no silence at the ends, loud enough.
    const QByteArray waveA = sineWave(1.0, 440);
    const QByteArray waveB = sineWave(0.8, 660, 48000);
};

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

TEST_F(Gsn, AddBringsEveryFormatToTheLibrariesSound) {
    struct Case {
        const char* name;
        int format, rate, channels;
        double lead, seconds, tail, kept; // kept: seconds in the library
        bool trim = true;
    };
    const Case cases[] = {
        {"a.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 96000, 2, 0.4, 1.2, 0.3, 1.21},
        {"b.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 8000, 1, 0.2, 2.0, 0.5, 2.01},
        {"c.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 44100, 2, 0.3, 1.5, 0.3, 1.51},
        {"d.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 22050, 1, 0.5, 0.8, 0.6, 0.81},
        {"e.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 1, 0.5, 1.0, 0.25, 1.75, false},
    };
    // One add a file: each reads the library the last one wrote.
    for (const Case& c : cases) {
        const QString file =
            writeRecording(path(c.name), c.format, c.rate, c.channels, c.lead, c.seconds, c.tail);
        QStringList arguments{"add", path("lib.gsn"), "--description", c.name, file};
        if (!c.trim)
            arguments << "--no-trim"; // for the whole command, wherever it stands
        ASSERT_EQ(run(arguments), 0) << c.name << ": " << err.toStdString();
    }
    ASSERT_EQ(run({"list", path("lib.gsn")}), 0) << err.toStdString();
    static const QRegularExpression row(R"(^ +(\d+) .* 44100 Hz +([\d.]+) s +(-[\d.]+) LUFS)");
    const auto list = load(path("lib.gsn"));
    ASSERT_EQ(list->count(), int(std::size(cases)));
    int rows = 0;
    for (const QString& line : out.split('\n')) {
        const QRegularExpressionMatch m = row.match(line);
        if (!m.hasMatch())
            continue;
        const int i = m.captured(1).toInt();
        SCOPED_TRACE(cases[i].name);
        ++rows;
        EXPECT_NEAR(m.captured(2).toDouble(), cases[i].kept, 0.02);
        EXPECT_NEAR(m.captured(3).toDouble(), -20, 1.0);
        EXPECT_NEAR(*LoudnessMeter::ofWaveImage(list->wave(i).image()), -20, 1.0);
        EXPECT_EQ(list->item(i).Description, cases[i].name);
    }
    EXPECT_EQ(rows, int(std::size(cases))) << out.toStdString();
}

TEST_F(Gsn, AFileThatFailsWritesNothing) {
    const QString good = writeFile("good.wav", waveA);
    ASSERT_EQ(run({"add", path("lib.gsn"), good}), 0) << err.toStdString();
    const QByteArray before = readFile(path("lib.gsn"));
    const QByteArray flac = readFile(
        writeRecording(path("g.flac"), SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 1, 0, 1, 0));
    const std::pair<QString, const char*> cases[] = {
        {writeFile("notes.txt", "only words"), "Cannot read"},
        {path("absent.wav"), "Cannot read"},
        {writeFile("cut.flac", flac.left(flac.size() / 2)), "cut short"},
        {writeRecording(path("0.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, 3, 0, 0),
         "silent"},
        {writeRecording(path("61.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, 0, 61, 0), "60"},
    };
    for (const auto& [bad, reason] : cases) {
        // After a good file, which must not be written alone.
        EXPECT_EQ(run({"add", path("lib.gsn"), good, bad}), 1);
        EXPECT_TRUE(err.startsWith("gsn: " + bad + ": ") && err.contains(reason))
            << err.toStdString();
        EXPECT_EQ(readFile(path("lib.gsn")), before);
        EXPECT_EQ(run({"add", path("new.gsn"), good, bad}), 1);
        EXPECT_FALSE(QFile::exists(path("new.gsn")));
    }
    // A file that is no library is not taken for a new one.
    EXPECT_EQ(run({"add", path("notes.txt"), good}), 1);
    EXPECT_EQ(readFile(path("notes.txt")), "only words");
}

TEST_F(Gsn, RemoveTakesOutOneSound) {
    const QString a = writeFile("a.wav", waveA);
    ASSERT_EQ(run({"pack", path("three.gsn"), "--description", "a", a, "--description", "b", a,
                   "--description", "c", a}),
              0);
    ASSERT_EQ(run({"pack", path("one.gsn"), a}), 0);
    const struct {
        const char* library;
        const char* index;
        int status;
        QByteArrayList left;
        const char* message;
    } cases[] = {
        {"three.gsn", "1", 0, {"a", "c"}, "1 removed, 2 sounds left"},
        {"three.gsn", "3", 1, {"a", "b", "c"}, "no sound 3"},
        {"three.gsn", "-1", 1, {"a", "b", "c"}, "no sound -1"},
        {"one.gsn", "0", 1, {""}, "one sound at least"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        const QString file = writeFile("lib.gsn", readFile(path(c.library)));
        EXPECT_EQ(run({"remove", file, c.index}), c.status);
        EXPECT_TRUE((out + err).contains(c.message)) << err.toStdString();
        EXPECT_EQ(descriptions(file), c.left);
    }
    EXPECT_EQ(run({"remove", path("absent.gsn"), "0"}), 1);
    EXPECT_TRUE(err.contains("absent.gsn: no such library")) << err.toStdString();
}

TEST_F(Gsn, AddStopsAtAHundredSounds) {
    const QString a = writeFile("a.wav", waveA);
    for (const auto& [held, adding, status] : {std::tuple{99, 1, 0}, {99, 2, 1}, {100, 1, 1}}) {
        const QString file = writeFile(
            "full.gsn", SoundLibraryWriter::write({std::size_t(held), {sineWave(0.05), {}}}));
        EXPECT_EQ(run(QStringList{"add", file} + QStringList(adding, a)), status);
        EXPECT_EQ(load(file)->count(), status == 0 ? 100 : held);
        EXPECT_TRUE(status == 0 || err.contains("at most 100")) << err.toStdString();
    }
}

// A bare name means the user's own library in the data folder, which starts from the shipped one.
TEST_F(Gsn, NameChangesTheOwnLibraryNeverTheShippedOne) {
    const QString own = path("data/gloamery/Snd/3b.gsn");
    const QString mine = writeFile("mine.wav", waveB);
    EXPECT_EQ(run({"add", "3b", mine}), 1);
    EXPECT_TRUE(err.contains("own libraries")) << err.toStdString();

    const QByteArray oldDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", path("data").toLocal8Bit());
    places = SoundLibraryPlaces::standard();
    places.shipped = path("shipped");
    ASSERT_TRUE(QDir().mkpath(places.shipped));
    const QString a = writeFile("a.wav", waveA);
    ASSERT_EQ(
        run({"pack", path("shipped/3b.gsn"), "--description", "s0", a, "--description", "s1", a}),
        0);
    const QByteArray shipped = readFile(path("shipped/3b.gsn"));
    const struct {
        QStringList arguments;
        int status;
        QByteArrayList own; // descriptions afterwards
        const char* message;
    } steps[] = {
        {{"remove", "3b", "1"}, 0, {"s0"}, ""},
        {{"add", "3b", "--description", "m1", mine}, 0, {"s0", "m1"}, ""},
        {{"add", path("3b.gsn"), mine}, 0, {"s0", "m1"}, ""},
        {{"add", path("sub/3b"), mine}, 0, {"s0", "m1"}, ""},
        {{"add", "4m", mine}, 1, {"s0", "m1"}, "4m.gsn"},
        {{"remove", "3b", "0"}, 0, {"m1"}, ""},
        {{"remove", "3b", "0"}, 1, {"m1"}, "delete the file to go back to the shipped sounds"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.arguments.join(' ').toStdString());
        EXPECT_EQ(run(step.arguments), step.status) << err.toStdString();
        EXPECT_TRUE(err.contains(step.message)) << err.toStdString();
        EXPECT_EQ(descriptions(own), step.own);
        EXPECT_EQ(QDir(places.shipped).entryList(QDir::Files), QStringList{"3b.gsn"});
        EXPECT_EQ(readFile(path("shipped/3b.gsn")), shipped);
    }
    EXPECT_TRUE(QFile::exists(path("3b.gsn")) && QFile::exists(path("sub/3b")));
    if (oldDataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", oldDataHome);
}

} // namespace
