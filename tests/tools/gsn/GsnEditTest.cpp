// SPDX-License-Identifier: GPL-3.0-or-later
#include "GsnFixture.h"
#include "core/Windows1251.h"
#include "sound/LoudnessMeter.h"
#include "sound/SoundImport.h"
#include "sound/SoundLibraryWriter.h"
#include "sound/WaveImage.h"
#include "support/WaveImage.h"

#include <QRegularExpression>

namespace {

constexpr double targetLufs = -20;
constexpr double trimmedEnds = 2 * SoundImport::silenceMargin;

// Duration and loudness as `gsn list` prints them on the sound's row.
struct ListedRow {
    double seconds = -1;
    double lufs = 0;
};

std::vector<ListedRow> listedRows(const QString& listing) {
    static const QRegularExpression row(
        QStringLiteral(R"(^\s*\d+ .* ([\d.]+) s\s+(-?[\d.]+) LUFS)"));
    std::vector<ListedRow> rows;
    for (const QString& line : listing.split('\n')) {
        const QRegularExpressionMatch match = row.match(line);
        if (match.hasMatch())
            rows.push_back({match.captured(1).toDouble(), match.captured(2).toDouble()});
    }
    return rows;
}

TEST_F(Gsn, AddBringsEveryFormatToTheLibrariesSound) {
    struct Case {
        const char* name;
        Recording recording;
        bool trim = true;
    };
    const Case cases[] = {
        {"a.wav", {SF_FORMAT_WAV | SF_FORMAT_PCM_24, 96000, 2, 0.4, 1.2, 0.3, -6}},
        {"b.flac", {SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 8000, 1, 0.2, 2.0, 0.5, -30}},
        {"c.ogg", {SF_FORMAT_OGG | SF_FORMAT_VORBIS, 44100, 2, 0.3, 1.5, 0.3, -18}},
        {"d.aiff", {SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 22050, 1, 0.5, 0.8, 0.6, -3}},
        {"e.wav", {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 1, 0.5, 1.0, 0.25, -24}, false},
    };
    // One at a time: each add reads the library the last one wrote.
    for (const Case& c : cases) {
        const QString file = writeRecording(path(c.name), c.recording);
        QStringList arguments{"add", path("lib.gsn"), "--description", c.name, file};
        if (!c.trim)
            arguments.insert(1, "--no-trim");
        ASSERT_EQ(run(arguments), 0) << c.name << ": " << err.toStdString();
    }
    ASSERT_EQ(run({"list", path("lib.gsn")}), 0) << err.toStdString();
    const std::vector<ListedRow> rows = listedRows(out);
    const auto list = load(path("lib.gsn"));
    ASSERT_EQ(list->count(), int(std::size(cases)));
    ASSERT_EQ(rows.size(), std::size(cases)) << out.toStdString();
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        const QByteArray image = list->wave(int(i)).image();
        const auto format = WaveImage::format(image);
        ASSERT_TRUE(format);
        EXPECT_EQ(format->channels, 1);
        EXPECT_EQ(format->bitsPerSample, 16);
        EXPECT_EQ(format->sampleRate, 44100u);
        const Recording& r = c.recording;
        const double seconds = c.trim ? r.seconds + trimmedEnds : r.lead + r.seconds + r.tail;
        EXPECT_NEAR(format->seconds(), seconds, 0.02);
        EXPECT_NEAR(*LoudnessMeter::ofWaveImage(image), targetLufs, 1.0);
        EXPECT_EQ(list->item(int(i)).Description, c.name);
        EXPECT_NEAR(rows[i].seconds, seconds, 0.02);
        EXPECT_NEAR(rows[i].lufs, targetLufs, 1.0);
    }
}

TEST_F(Gsn, AFileThatFailsWritesNothing) {
    const QString good = writeRecording(
        path("good.flac"), {SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 1, 0.1, 0.5, 0.1});
    ASSERT_EQ(run({"add", path("lib.gsn"), good}), 0) << err.toStdString();
    const QByteArray before = readFile(path("lib.gsn"));
    const QByteArray flac = readFile(good);

    struct Case {
        const char* name;
        QString file;
        const char* reason;
    };
    const Case cases[] = {
        {"text", writeFile("notes.txt", "only words, no sound"), "Cannot read"},
        {"missing", path("absent.wav"), "Cannot read"},
        {"cut short", writeFile("cut.flac", flac.left(flac.size() / 2)), "cut short"},
        {"silent",
         writeRecording(path("silent.wav"), {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, 3, 0, 0}),
         "silent"},
        {"too long",
         writeRecording(path("long.wav"), {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, 0, 61, 0}),
         "60"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The bad file comes after a good one, which must not be written alone.
        EXPECT_EQ(run({"add", path("lib.gsn"), good, c.file}), 1);
        EXPECT_TRUE(err.startsWith("gsn: " + c.file + ": ")) << err.toStdString();
        EXPECT_TRUE(err.contains(QLatin1String(c.reason))) << err.toStdString();
        EXPECT_EQ(readFile(path("lib.gsn")), before);
        EXPECT_EQ(run({"add", path("new.gsn"), good, c.file}), 1);
        EXPECT_FALSE(QFile::exists(path("new.gsn")));
    }
    // A file that is no library is not taken for an empty one and written over.
    const QString notes = path("notes.txt");
    EXPECT_EQ(run({"add", notes, good}), 1);
    EXPECT_EQ(readFile(notes), "only words, no sound");
}

TEST_F(Gsn, RemoveTakesOutOneSound) {
    const QStringList waves{writeFile("a.wav", sineWave(0.5, 300)),
                            writeFile("b.wav", sineWave(0.5, 500)),
                            writeFile("c.wav", sineWave(0.5, 700))};
    ASSERT_EQ(run({"pack", path("three.gsn"), "--description", "a", waves[0], "--description", "b",
                   waves[1], "--description", "c", waves[2]}),
              0)
        << err.toStdString();
    const QByteArray three = readFile(path("three.gsn"));
    ASSERT_EQ(run({"pack", path("one.gsn"), waves[0]}), 0) << err.toStdString();
    const QByteArray one = readFile(path("one.gsn"));

    struct Case {
        QByteArray library;
        QString index;
        int status;
        QByteArrayList left; // descriptions; empty when the file must stay as it was
        const char* message;
    };
    const Case cases[] = {
        {three, "1", 0, {"a", "c"}, ""},     {three, "0", 0, {"b", "c"}, ""},
        {three, "2", 0, {"a", "b"}, ""},     {three, "3", 1, {}, "no sound 3"},
        {three, "-1", 1, {}, "no sound -1"}, {one, "0", 1, {}, "one sound at least"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index.toStdString() + (c.library == one ? " of one" : " of three"));
        const QString file = writeFile("lib.gsn", c.library);
        EXPECT_EQ(run({"remove", file, c.index}), c.status) << err.toStdString();
        EXPECT_TRUE(err.contains(QLatin1String(c.message))) << err.toStdString();
        if (c.left.isEmpty()) {
            EXPECT_EQ(readFile(file), c.library);
            continue;
        }
        const auto list = load(file);
        QByteArrayList left;
        for (int i = 0; i < list->count(); ++i)
            left.append(list->item(i).Description);
        EXPECT_EQ(left, c.left);
    }
    EXPECT_EQ(run({"remove", path("absent.gsn"), "0"}), 1);
    EXPECT_FALSE(QFile::exists(path("absent.gsn")));
}

TEST_F(Gsn, AddStopsAtAHundredSounds) {
    const QByteArray tiny = sineWave(0.05);
    const QString wave = writeFile("a.wav", sineWave(0.5));
    struct Case {
        int held;
        int adding;
        int status;
    };
    const Case cases[] = {{99, 1, 0}, {99, 2, 1}, {100, 1, 1}, {0, 100, 0}, {0, 101, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.held) + " + " + std::to_string(c.adding));
        const std::vector<SoundLibraryWriter::Sound> sounds(std::size_t(c.held), {tiny, {}});
        const QString file = path("full.gsn");
        QFile::remove(file);
        if (c.held > 0)
            writeFile("full.gsn", SoundLibraryWriter::write(sounds));
        const QByteArray before = readFile(file);
        QStringList arguments{"add", file};
        for (int i = 0; i < c.adding; ++i)
            arguments << wave;
        EXPECT_EQ(run(arguments), c.status) << err.toStdString();
        if (c.status == 0) {
            EXPECT_EQ(load(file)->count(), c.held + c.adding);
        } else {
            EXPECT_TRUE(err.contains("at most 100")) << err.toStdString();
            EXPECT_EQ(readFile(file), before);
        }
    }
}

// A bare name means the user's own library in the data folder, which starts from the shipped one.
class GsnOwnLibrary : public Gsn {
protected:
    void SetUp() override {
        m_oldDataHome = qgetenv("XDG_DATA_HOME");
        ASSERT_TRUE(qputenv("XDG_DATA_HOME", path("data").toLocal8Bit()));
        places = SoundLibraryPlaces::standard();
        places.shipped = path("shipped");
        ASSERT_TRUE(QDir().mkpath(places.shipped));
        const QString a = writeFile("s0.wav", sineWave(0.5, 300));
        const QString b = writeFile("s1.wav", sineWave(0.5, 500));
        ASSERT_EQ(run({"pack", places.shipped + "/3b.gsn", "--description", "s0", a,
                       "--description", "s1", b}),
                  0)
            << err.toStdString();
        shipped = readFile(places.shipped + "/3b.gsn");
    }
    void TearDown() override {
        if (m_oldDataHome.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", m_oldDataHome);
    }
    QByteArrayList descriptions(const QString& file) {
        const auto list = load(file);
        QByteArrayList found;
        for (int i = 0; i < list->count(); ++i)
            found.append(list->item(i).Description);
        return found;
    }
    // Whatever the commands did, the shipped folder holds its one library as it was.
    void expectShippedUntouched() {
        EXPECT_EQ(QDir(places.shipped).entryList(QDir::Files), QStringList{"3b.gsn"});
        EXPECT_EQ(readFile(places.shipped + "/3b.gsn"), shipped);
    }

    QByteArray shipped;

private:
    QByteArray m_oldDataHome;
};

TEST_F(GsnOwnLibrary, NameWritesTheOwnLibraryInTheDataFolder) {
    const QString own = path("data/gloamery/Snd/3b.gsn");
    const QString mine = writeFile("mine.wav", sineWave(0.7, 900));
    struct Step {
        QStringList arguments;
        int status;
        QByteArrayList sounds; // of the own library afterwards
        const char* message;
    };
    const Step steps[] = {
        {{"add", "3b", "--description", "m1", mine}, 0, {"s0", "s1", "m1"}, ""},
        {{"add", "3b", "--description", "m2", mine}, 0, {"s0", "s1", "m1", "m2"}, ""},
        {{"remove", "3b", "0"}, 0, {"s1", "m1", "m2"}, ""},
        {{"remove", "3b", "1"}, 0, {"s1", "m2"}, ""},
        {{"remove", "3b", "0"}, 0, {"m2"}, ""},
        {{"remove", "3b", "0"}, 1, {"m2"}, "delete the file to go back to the shipped sounds"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.arguments.join(' ').toStdString());
        EXPECT_EQ(run(step.arguments), step.status) << err.toStdString();
        EXPECT_TRUE(err.contains(QLatin1String(step.message))) << err.toStdString();
        EXPECT_EQ(descriptions(own), step.sounds);
        expectShippedUntouched();
    }
}

TEST_F(GsnOwnLibrary, RemovingFromTheShippedSoundsStartsTheOwnLibrary) {
    ASSERT_EQ(run({"remove", "3b", "1"}), 0) << err.toStdString();
    EXPECT_EQ(descriptions(path("data/gloamery/Snd/3b.gsn")), QByteArrayList{"s0"});
    expectShippedUntouched();
}

TEST_F(GsnOwnLibrary, NameWithoutItsShippedLibraryWritesNothing) {
    const QString mine = writeFile("mine.wav", sineWave(0.7, 900));
    EXPECT_EQ(run({"add", "4m", mine}), 1);
    EXPECT_TRUE(err.contains("4m.gsn")) << err.toStdString();
    EXPECT_FALSE(QFile::exists(path("data/gloamery/Snd/4m.gsn")));
    expectShippedUntouched();
}

TEST_F(Gsn, NameNeedsAFolderForOwnLibraries) {
    const QString mine = writeFile("mine.wav", sineWave(0.7, 900));
    EXPECT_EQ(run({"add", "3b", mine}), 1);
    EXPECT_TRUE(err.contains("own libraries")) << err.toStdString();
}

} // namespace
