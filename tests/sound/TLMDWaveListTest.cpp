// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/TLMDWaveList.h"

#include "LibraryBytes.h"
#include "sound/EErrorCheckingWave.h"
#include "sound/SoundBlockEncoder.h"
#include "sound/SoundLibraryFormat.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

using namespace LibraryBytes;
using Kind = SoundLibraryError::Kind;

namespace {

const QByteArray sampleWave = wave("\x01\x02\x03\x04\x05\x06");

void load(TLMDWaveList& list, QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    list.LoadSoundLibrary(buffer);
}

std::optional<Kind> loadFailure(TLMDWaveList& list, const QByteArray& bytes,
                                std::string* message = nullptr) {
    try {
        load(list, bytes);
    } catch (const SoundLibraryError& e) {
        if (message)
            *message = e.what();
        return e.kind();
    }
    return std::nullopt;
}

QByteArray plain(const QByteArray& image) {
    return le32(image.size()) + image;
}

// ---- libraries that load ----------------------------------------------------------------------

struct Expect {
    Expect(QByteArray i = {}, QByteArray d = {}, int n = 0, bool c = false)
        : image(std::move(i))
        , description(std::move(d))
        , ident(n)
        , compressed(c) {}
    QByteArray image;
    QByteArray description;
    int ident;
    bool compressed;
};

struct LoadCase {
    const char* name;
    QByteArray file;
    std::vector<Expect> sounds;
};

class Loads : public ::testing::TestWithParam<LoadCase> {};

TEST_P(Loads, GivesTheseSounds) {
    TLMDWaveList list;
    load(list, GetParam().file);
    const auto& expected = GetParam().sounds;
    ASSERT_EQ(list.count(), int(expected.size()));
    for (int i = 0; i < list.count(); ++i) {
        SCOPED_TRACE(i);
        const TLMDWaveListItem& item = list.item(i);
        EXPECT_EQ(item.Wave.image().toHex(), expected[std::size_t(i)].image.toHex());
        EXPECT_EQ(item.Description, expected[std::size_t(i)].description);
        EXPECT_EQ(item.Ident, expected[std::size_t(i)].ident);
        EXPECT_EQ(item.Compressed, expected[std::size_t(i)].compressed);
    }
}

QByteArray withTrailingBytes() {
    return sampleWave + "trailing bytes beyond the RIFF size";
}

INSTANTIATE_TEST_SUITE_P(
    Library, Loads,
    ::testing::Values(
        LoadCase{"NoSoundsAndNoOffsetTable", signature() + le32(0), {}},
        LoadCase{"NegativeCountIsEmpty", signature() + le32(-5), {}},
        LoadCase{"EighteenByteFile",
                 bytes({8, 'L', 'M', 'D', 'W', 'V', 'L', '3', '0', 1, 0, 0, 0, 0x11, 0, 0, 0, 0}),
                 {Expect{}}},
        LoadCase{"IdentKeepsLow16Bits",
                 library({bytes({4, 0x78, 0x56, 0x34, 0x12})}),
                 {Expect{{}, {}, 0x5678}}},
        LoadCase{"DescriptionKeptAsBytes",
                 library({bytes({2, 4, 0xCF, 0xF0, 0xE8, 0xE2}), bytes({2, 0})}),
                 {Expect{{}, "\xCF\xF0\xE8\xE2"}, Expect{}}},
        LoadCase{"UpperFlagBitsIgnored", library({bytes({0xF4, 1, 0, 0, 0})}), {Expect{{}, {}, 1}}},
        LoadCase{
            "PlainWaveKeptWhole",
            library({bytes({0x0E, 3, 'a', 'b', 'c', 9, 0, 1, 0}) + plain(withTrailingBytes())}),
            {Expect{withTrailingBytes(), "abc", 9}}},
        LoadCase{"NotRiffIsEmptyAndTheNextRecordIsRead",
                 library({bytes({8}) + plain("RIFX" + sampleWave.mid(4)),
                          bytes({8}) + plain(sampleWave)}),
                 {Expect{}, Expect{sampleWave}}},
        LoadCase{"WrongWaveOrFmtTagIsEmpty",
                 library({bytes({8}) + plain(sampleWave.left(8) + "AVI " + sampleWave.mid(12)),
                          bytes({8}) + plain(sampleWave.left(12) + "LIST" + sampleWave.mid(16)),
                          bytes({8}) + plain("XYZW")}),
                 {Expect{}, Expect{}, Expect{}}},
        LoadCase{"ZeroSizesAreEmpty",
                 library({bytes({8}) + le32(0), bytes({9}) + le32(0)}),
                 {Expect{}, Expect{{}, {}, 0, true}}},
        LoadCase{"StoredBlock",
                 library({bytes({9}) + blocks({"\x80" + sampleWave})}),
                 {Expect{sampleWave, {}, 0, true}}},
        LoadCase{"BlocksJoinInOrder",
                 library({bytes({9}) + blocks({"\x80" + sampleWave.left(20),
                                               bytes({0x80}) + sampleWave.mid(20, 1),
                                               "\x80" + sampleWave.mid(21)})}),
                 {Expect{sampleWave, {}, 0, true}}},
        // The remainder drops below zero after the first block: the second record follows.
        LoadCase{"SmallTotalStopsAfterOneBlock",
                 library({bytes({9}) + le32(1) + le32(sampleWave.size() + 1) + "\x80" + sampleWave,
                          bytes({4, 2, 0, 0, 0})}),
                 {Expect{sampleWave, {}, 0, true}, Expect{{}, {}, 2}}},
        LoadCase{"CompressedFlagWithoutWave", library({bytes({1})}), {Expect{{}, {}, 0, true}}}),
    [](const auto& c) { return std::string(c.param.name); });

// ---- loads that fail --------------------------------------------------------------------------

struct FailCase {
    const char* name;
    QByteArray file;
    Kind kind;
    int countAfter; // -1: the list is as it was before
    std::vector<Expect> kept = {};
};

class Fails : public ::testing::TestWithParam<FailCase> {};

TEST_P(Fails, AndLeavesTheList) {
    TLMDWaveList list;
    load(list, library({bytes({8}) + plain(sampleWave), bytes({4, 7, 0, 0, 0})}));
    ASSERT_EQ(list.count(), 2);

    EXPECT_EQ(loadFailure(list, GetParam().file), GetParam().kind);
    if (GetParam().countAfter < 0) {
        ASSERT_EQ(list.count(), 2);
        EXPECT_EQ(list.wave(0).image(), sampleWave);
        EXPECT_EQ(list.item(1).Ident, 7);
        return;
    }
    ASSERT_EQ(list.count(), GetParam().countAfter);
    for (std::size_t i = 0; i < GetParam().kept.size(); ++i) {
        SCOPED_TRACE(i);
        const Expect& e = GetParam().kept[i];
        EXPECT_EQ(list.wave(int(i)).image(), e.image);
        EXPECT_EQ(list.item(int(i)).Description, e.description);
        EXPECT_EQ(list.item(int(i)).Ident, e.ident);
    }
}

QByteArray header(int count) {
    return signature() + le32(count) + QByteArray(4 * count, '\0');
}

QByteArray compressedRecord(const QByteArray& blockData) {
    return bytes({9}) + blocks({blockData});
}

INSTANTIATE_TEST_SUITE_P(
    Library, Fails,
    ::testing::Values(
        FailCase{"LastSignatureCharacter", QByteArray("\x08LMDWVL31") + le32(0), Kind::Signature,
                 -1},
        FailCase{"SignatureLengthByte", QByteArray("\x07LMDWVL30") + le32(0), Kind::Signature, -1},
        FailCase{"ShorterThanTheSignature", QByteArray("\x08LMDW"), Kind::ReadPastEnd, -1},
        FailCase{"EndsInsideTheCount", signature() + "\x01\x00", Kind::ReadPastEnd, 0},
        FailCase{"EndsInsideTheOffsetTable", signature() + le32(2) + le32(17), Kind::ReadPastEnd,
                 0},
        FailCase{"EndsBeforeAFlagsByte",
                 header(2) + bytes({4, 5, 0, 0, 0}),
                 Kind::ReadPastEnd,
                 2,
                 {Expect{{}, {}, 5}, Expect{}}},
        FailCase{"EndsInsideADescription", header(1) + bytes({2, 10, 'a', 'b'}), Kind::ReadPastEnd,
                 1},
        FailCase{"EndsInsideAnIdent",
                 header(1) + bytes({6, 1, 'd', 0x34, 0x12}),
                 Kind::ReadPastEnd,
                 1,
                 {Expect{{}, "d"}}},
        FailCase{"EndsInsideS",
                 header(1) + bytes({0x0A, 1, 'd', 0x10}),
                 Kind::ReadPastEnd,
                 1,
                 {Expect{{}, "d"}}},
        FailCase{"WaveLongerThanTheFile",
                 header(1) + bytes({0x0C, 3, 0, 0, 0}) + le32(1000) + sampleWave,
                 Kind::ReadPastEnd,
                 1,
                 {Expect{{}, {}, 3}}},
        FailCase{"NegativeS", header(1) + bytes({8}) + le32(-1), Kind::BadData, 1},
        FailCase{"NegativeT", header(1) + bytes({9}) + le32(-8), Kind::BadData, 1},
        FailCase{"EndsInsideT", header(1) + bytes({9, 1}), Kind::ReadPastEnd, 1},
        FailCase{"EndsInsideB", header(1) + bytes({9}) + le32(20) + bytes({5, 0}),
                 Kind::ReadPastEnd, 1},
        FailCase{"EndsInsideABlock", header(1) + bytes({9}) + le32(9) + le32(5) + bytes({0x80, 1}),
                 Kind::ReadPastEnd, 1},
        FailCase{"BlockLengthZero", header(1) + bytes({9}) + le32(4) + le32(0), Kind::BadData, 1},
        FailCase{"BlockLongerThanAStoredPiece",
                 header(1) + compressedRecord("\x80" + QByteArray(32782, 'x')), Kind::BadData, 1},
        FailCase{"BlockCopiesFromBeforeItsStart",
                 header(1) + compressedRecord(bytes({0x40, 0x40, 0x00, 0x41, 0x00, 0x20})),
                 Kind::BadData, 1},
        FailCase{"BlockCutInsideARepeat",
                 header(1) + compressedRecord(bytes({0x40, 0x80, 0x00, 0, 0})), Kind::BadData, 1},
        FailCase{"WaveTooShortForRiff",
                 header(2) + bytes({0x0A, 1, 'd'}) + plain("RIF"),
                 Kind::CheckingWave,
                 1,
                 {Expect{{}, "d"}}},
        FailCase{"WaveTooShortForTheWaveTag", header(1) + bytes({8}) + plain("RIFF\x10\0\0\0WAV"),
                 Kind::CheckingWave, 1},
        FailCase{"CompressedWaveTooShortForFmt",
                 header(1) + compressedRecord("\x80" + sampleWave.left(15)), Kind::CheckingWave, 1},
        FailCase{"TagsRightButUnder34Bytes", header(1) + bytes({8}) + plain(sampleWave.left(33)),
                 Kind::CheckingWave, 1}),
    [](const auto& c) { return std::string(c.param.name); });

TEST(TLMDWaveList, FailuresCarryTheirMessages) {
    TLMDWaveList list;
    std::string message;
    loadFailure(list, QByteArray("\x08LMDWVL3X") + le32(0), &message);
    EXPECT_EQ(message, "Cannot open file %s: TLMDWaveList");
    loadFailure(list, header(1) + bytes({8}) + plain("RI"), &message);
    EXPECT_EQ(message, "GetWaveData: Cannot open file %s");
    loadFailure(list, header(3) + bytes({0, 0}) + bytes({9}) + le32(4) + le32(0), &message);
    EXPECT_NE(message.find("sound 2"), std::string::npos) << message;
    EXPECT_NE(message.find("block length 0"), std::string::npos) << message;
}

TEST(TLMDWaveList, AHugeCountFailsAtOnceWithoutAllocating) {
    TLMDWaveList list;
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(loadFailure(list, signature() + le32(0x7FFFFFFF) + le32(17) + bytes({0})),
              Kind::ReadPastEnd);
    EXPECT_EQ(list.count(), 0);
    // A large size field must not be allocated before its bytes are there either.
    EXPECT_EQ(loadFailure(list, header(1) + bytes({8}) + le32(SoundLibraryFormat::maxSoundBytes) +
                                    "RIFF"),
              Kind::ReadPastEnd);
}

// ---- size limits ------------------------------------------------------------------------------

constexpr qint64 soundCap = SoundLibraryFormat::maxSoundBytes;
constexpr qint64 libraryCap = SoundLibraryFormat::maxLibraryBytes;

// A compressed record whose wave data expands to `size` bytes in a few kilobytes of file: a
// RIFF header in a stored block when `riff`, then zeros in packed pieces.
QByteArray compressedOfSize(qint64 size, bool riff) {
    const int pieceSize = SoundLibraryFormat::pieceSize;
    std::vector<QByteArray> list;
    if (riff) {
        list.push_back("\x80" + wave({}));
        size -= wave({}).size();
    }
    const QByteArray fullPiece = SoundBlockEncoder::encode(QByteArray(pieceSize, '\0'));
    for (; size >= pieceSize; size -= pieceSize)
        list.push_back(fullPiece);
    if (size > 0)
        list.push_back(SoundBlockEncoder::encode(QByteArray(size, '\0')));
    return bytes({9}) + blocks(list);
}

struct SizeCase {
    const char* name;
    std::vector<QByteArray> records;
    std::optional<Kind> failure;
};

void PrintTo(const SizeCase& c, std::ostream* os) {
    *os << c.name;
}

class SizeLimit : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SizeLimit, HoldsAtTheCap) {
    TLMDWaveList list;
    std::string message;
    const QByteArray file = library(GetParam().records);
    ASSERT_LT(file.size(), 1 << 20) << "the limits guard against small files";
    EXPECT_EQ(loadFailure(list, file, &message), GetParam().failure) << message;
    if (GetParam().failure) {
        EXPECT_NE(message.find("MiB"), std::string::npos) << message;
        return;
    }
    ASSERT_EQ(list.count(), int(GetParam().records.size()));
}

std::vector<QByteArray> soundsAddingUpTo(qint64 total) {
    std::vector<QByteArray> records;
    for (; total > soundCap; total -= soundCap)
        records.push_back(compressedOfSize(soundCap, false));
    records.push_back(compressedOfSize(total, false));
    return records;
}

INSTANTIATE_TEST_SUITE_P(
    Library, SizeLimit,
    ::testing::Values(
        SizeCase{"CompressedSoundAtTheCap", {compressedOfSize(soundCap, true)}, std::nullopt},
        SizeCase{
            "CompressedSoundOneBytePast", {compressedOfSize(soundCap + 1, true)}, Kind::TooLarge},
        // A plain size fails before its bytes are looked for.
        SizeCase{"PlainSoundOneBytePast", {bytes({8}) + le32(soundCap + 1)}, Kind::TooLarge},
        SizeCase{"PlainSoundOfTwoGiB", {bytes({8}) + le32(0x7FFFFFFF)}, Kind::TooLarge},
        // Sounds that are not taken count too: they were expanded all the same.
        SizeCase{"LibraryAtTheCap", soundsAddingUpTo(libraryCap), std::nullopt},
        SizeCase{"LibraryOneCompressedBytePast", soundsAddingUpTo(libraryCap + 1), Kind::TooLarge},
        SizeCase{"LibraryOnePlainBytePast",
                 [] {
                     auto records = soundsAddingUpTo(libraryCap);
                     records.push_back(bytes({8}) + le32(1) + "R");
                     return records;
                 }(),
                 Kind::TooLarge}),
    [](const auto& c) { return std::string(c.param.name); });

TEST(TLMDWaveList, ASoundAtTheCapIsKeptWhole) {
    TLMDWaveList list;
    load(list, library({compressedOfSize(soundCap, true)}));
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.wave(0).size(), soundCap);
    EXPECT_EQ(list.wave(0).image().left(12), wave({}).left(12));
}

// A pipe: no size, no seeking, short reads.
class PipeDevice : public QIODevice {
public:
    explicit PipeDevice(QByteArray bytes)
        : m_bytes(std::move(bytes)) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 n = std::min({maxSize, qint64(m_bytes.size()) - m_at, qint64(1000)});
        std::memcpy(data, m_bytes.constData() + m_at, std::size_t(n));
        m_at += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_at = 0;
};

TEST(TLMDWaveList, ReadsFromAPipeAsFromAFile) {
    const QByteArray big = wave(QByteArray(70000, 'p'));
    const QByteArray file = library({bytes({0x0E, 2, 'h', 'i', 5, 0, 0, 0}) + plain(big),
                                     bytes({9}) + blocks({"\x80" + sampleWave})});
    PipeDevice pipe(file);
    TLMDWaveList list;
    list.LoadSoundLibrary(pipe);
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.wave(0).image(), big);
    EXPECT_EQ(list.item(0).Description, "hi");
    EXPECT_EQ(list.wave(1).image(), sampleWave);

    PipeDevice hugeCount(signature() + le32(0x7FFFFFFF) + le32(17) + bytes({0}));
    EXPECT_THROW(list.LoadSoundLibrary(hugeCount), SoundLibraryError);
    PipeDevice hugeWave(header(1) + bytes({8}) + le32(0x7FFFFFFF) + "RIFF");
    EXPECT_THROW(list.LoadSoundLibrary(hugeWave), SoundLibraryError);
}

TEST(TLMDWaveList, MissingFileFailsAndKeepsTheSounds) {
    TLMDWaveList list;
    load(list, library({bytes({0})}));
    QTemporaryDir dir;
    try {
        list.LoadSoundLibrary(dir.filePath("absent.gsn"));
        FAIL() << "loaded a missing file";
    } catch (const SoundLibraryError& e) {
        EXPECT_EQ(e.kind(), Kind::FileOpen);
        EXPECT_NE(std::string(e.what()).find("absent.gsn"), std::string::npos);
    }
    EXPECT_EQ(list.count(), 1);
}

TEST(TLMDWaveList, FreeingSoundsStopsThePlayerFirst) {
    int stops = 0;
    int soundsWhenStopped = -1;
    TLMDWaveList list;
    list.setStopPlayer([&] {
        ++stops;
        soundsWhenStopped = list.count();
    });
    const QByteArray twoSoundsOneEmpty = library({bytes({8}) + plain(sampleWave), bytes({0})});
    load(list, twoSoundsOneEmpty);
    EXPECT_EQ(stops, 0);

    EXPECT_EQ(loadFailure(list, QByteArray("\x08LMDWVL3X") + le32(0)), Kind::Signature);
    EXPECT_EQ(stops, 0) << "a signature mismatch must not silence a sound still playing";

    load(list, twoSoundsOneEmpty);
    EXPECT_EQ(stops, 1) << "only a sound with an image can be playing";
    EXPECT_EQ(soundsWhenStopped, 2) << "the player is stopped before the sounds go";

    list.clear();
    EXPECT_EQ(stops, 2);
}

TEST(TLMDWaveList, EverySoundWithAnImageStopsThePlayerAndNoEmptyOneDoes) {
    const QByteArray full = bytes({8}) + plain(sampleWave);
    const QByteArray empty = bytes({0});
    const QByteArray notTaken = bytes({8}) + plain("RIFX" + sampleWave.mid(4));
    struct Case {
        const char* name;
        std::vector<QByteArray> records;
        int stops;
    };
    const Case cases[] = {
        {"AllEmpty", {empty, empty, notTaken}, 0},
        {"OneFullAmongEmpty", {empty, full, empty}, 1},
        {"ThreeFullOneEmpty", {full, empty, full, full}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int stops = 0;
        TLMDWaveList list;
        load(list, library(c.records));
        list.setStopPlayer([&] { ++stops; });
        list.clear();
        EXPECT_EQ(stops, c.stops);
    }
}

struct CheckCase {
    const char* name;
    QByteArray buffer;
    int outcome; // 1 taken, 0 not taken, -1 EErrorCheckingWave
};

class GetWaveData : public ::testing::TestWithParam<CheckCase> {};

TEST_P(GetWaveData, StepByStep) {
    int outcome = 0;
    try {
        outcome = TLMDWaveList::GetWaveData(GetParam().buffer) ? 1 : 0;
    } catch (const EErrorCheckingWave&) {
        outcome = -1;
    }
    EXPECT_EQ(outcome, GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Check, GetWaveData,
    ::testing::Values(
        CheckCase{"Empty", {}, 0}, CheckCase{"OneByte", "R", -1},
        CheckCase{"WrongFirstTagOfFourBytes", "RIFX", 0}, CheckCase{"RiffAlone", "RIFF", -1},
        CheckCase{"WrongSecondTag", QByteArray("RIFF\0\0\0\0WAVX", 12) + QByteArray(30, 0), 0},
        CheckCase{"WrongSecondTagShort", QByteArray("RIFF\0\0\0\0WAVX", 12), 0},
        CheckCase{"WrongThirdTagShort", QByteArray("RIFF\0\0\0\0WAVEfmt_", 16), 0},
        CheckCase{"ThirdTagCut", QByteArray("RIFF\0\0\0\0WAVEfm", 14), -1},
        CheckCase{"ThirtyThreeBytes", sampleWave.left(33), -1},
        CheckCase{"ThirtyFourBytes", sampleWave.left(34), 1}, CheckCase{"Whole", sampleWave, 1}),
    [](const auto& c) { return std::string(c.param.name); });

} // namespace
