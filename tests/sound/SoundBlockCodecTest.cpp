// SPDX-License-Identifier: GPL-3.0-or-later
#include "LibraryBytes.h"
#include "sound/SoundBlockDecoder.h"
#include "sound/SoundBlockEncoder.h"
#include "sound/SoundLibraryFormat.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using LibraryBytes::bytes;

namespace {

struct Decoded {
    QByteArray output;
    std::string error;
};

Decoded decode(const QByteArray& block) {
    std::vector<std::uint8_t> out(SoundLibraryFormat::pieceSize);
    const auto r = SoundBlockDecoder::decode(reinterpret_cast<const std::uint8_t*>(block.data()),
                                             std::size_t(block.size()), out.data());
    return {QByteArray(reinterpret_cast<const char*>(out.data()), qsizetype(r.size)),
            r.error ? r.error : ""};
}

QByteArray repeated(char v, int n) {
    return QByteArray(n, v);
}

// Repeat item for `count` (16..4111) bytes of v.
QByteArray repeatItem(int count, int v) {
    const int n = count - 16;
    return bytes({0, n >> 8, n & 0xFF, v});
}

struct DecodeCase {
    const char* name;
    QByteArray block;
    QByteArray output;
};

class DecodeOk : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeOk, ExpandsTo) {
    const Decoded d = decode(GetParam().block);
    EXPECT_EQ(d.error, "");
    EXPECT_EQ(d.output.toHex(), GetParam().output.toHex());
}

QByteArray sixteenLiteralsThenCopy() {
    QByteArray b = bytes({0x40, 0x00, 0x00}) + "ABCDEFGHIJKLMNOP";
    b += bytes({0x80, 0x00, 0x00, 0x10}); // next word; a copy of 3 from 1 back
    return b;
}

QByteArray maximumExpansion() {
    QByteArray b = bytes({0x40, 0xFF, 0x00});
    for (int i = 0; i < 7; ++i)
        b += repeatItem(4111, 'r');
    b += repeatItem(32781 - 7 * 4111, 'q');
    return b;
}

// Eight repeats fill all but `left` bytes of a piece; then a literal 'c' and a copy of three
// bytes from one back.
QByteArray copyEndingAt(int left) {
    QByteArray b = bytes({0x40, 0xFF, 0x40});
    for (int i = 0; i < 7; ++i)
        b += repeatItem(4111, 'r');
    b += repeatItem(32781 - 7 * 4111 - left, 'q');
    return b + "c" + bytes({0x00, 0x10});
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, DecodeOk,
    ::testing::Values(
        DecodeCase{"StoredFourBytes", bytes({0x80, 1, 2, 3, 4}), bytes({1, 2, 3, 4})},
        DecodeCase{"StoredNothing", bytes({0x80}), {}},
        DecodeCase{"StoredLargest", bytes({0x80}) + repeated('s', 32781), repeated('s', 32781)},
        DecodeCase{"CopyOverlapsItsOutput", bytes({0x40, 0x40, 0x00, 0x41, 0x00, 0x10}),
                   bytes({0x41, 0x41, 0x41, 0x41})},
        DecodeCase{"AnyOtherMethodIsCompressed", bytes({0x07, 0x00, 0x00, 0x41}), "A"},
        DecodeCase{"ControlWordOnly", bytes({0x40, 0xFF, 0xFF}), {}},
        DecodeCase{"RepeatSixteen", bytes({0x40, 0x80, 0x00, 0, 0, 0, 0x7A}), repeated('\x7A', 16)},
        DecodeCase{"RepeatLongest", bytes({0x40, 0x80, 0x00, 0, 0x0F, 0xFF, 0x20}),
                   repeated(' ', 4111)},
        DecodeCase{"LongestCopyRepeatsAPattern",
                   bytes({0x40, 0x08, 0x00}) + "abcd" + bytes({0x00, 0x4F}),
                   "abcdabcdabcdabcdabcdab"},
        DecodeCase{"SecondControlWordAfterSixteenItems", sixteenLiteralsThenCopy(),
                   "ABCDEFGHIJKLMNOPPPP"},
        // The word announces references after the fifth item, but the block ends first.
        DecodeCase{"EndsInsideAGroup", bytes({0x40, 0x07, 0xFF}) + "12345", "12345"},
        DecodeCase{"ExpandsToExactlyAPiece", maximumExpansion(),
                   repeated('r', 7 * 4111) + repeated('q', 32781 - 7 * 4111)},
        DecodeCase{"CopyEndsExactlyAtTheEndOfAPiece", copyEndingAt(4),
                   repeated('r', 7 * 4111) + repeated('q', 32781 - 7 * 4111 - 4) + "cccc"}),
    [](const auto& c) { return std::string(c.param.name); });

struct RejectCase {
    const char* name;
    QByteArray block;
};

class DecodeRejects : public ::testing::TestWithParam<RejectCase> {};

TEST_P(DecodeRejects, WithAReason) {
    EXPECT_NE(decode(GetParam().block).error, "");
}

QByteArray pastAPiece() {
    QByteArray b = maximumExpansion();
    b[2] = char(0xFF); // nine reference items
    return b + repeatItem(16, 'x');
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, DecodeRejects,
    ::testing::Values(RejectCase{"Empty", {}},
                      RejectCase{"LongerThanAStoredPiece", bytes({0x80}) + repeated('s', 32782)},
                      RejectCase{"ControlWordCutOff", bytes({0x40, 0x00})},
                      RejectCase{"SecondControlWordCutOff",
                                 bytes({0x40, 0x00, 0x00}) + "ABCDEFGHIJKLMNOP" + "\x80"},
                      RejectCase{"CopyCutOff", bytes({0x40, 0x40, 0x00, 0x41, 0x00})},
                      RejectCase{"RepeatCutOff", bytes({0x40, 0x80, 0x00, 0x00, 0x05, 0x00})},
                      RejectCase{"CopyBeforeTheStart", bytes({0x40, 0x40, 0x00, 0x41, 0x00, 0x20})},
                      RejectCase{"CopyWithNoOutputYet", bytes({0x40, 0x80, 0x00, 0x00, 0x10})},
                      RejectCase{"ExpandsPastAPiece", pastAPiece()},
                      RejectCase{"CopyOneBytePastAPiece", copyEndingAt(3)},
                      RejectCase{"LiteralPastAPiece", maximumExpansion() + "z"}),
    [](const auto& c) { return std::string(c.param.name); });

// ---- encoder ----------------------------------------------------------------------------------

TEST(SoundBlockEncoder, StoresWhenPackingDoesNotPay) {
    EXPECT_EQ(SoundBlockEncoder::encode("AAAA").toHex(),
              bytes({0x80, 0x41, 0x41, 0x41, 0x41}).toHex());
}

TEST(SoundBlockEncoder, WritesRunsAsRepeatItemsWithTheControlWordAtTheTop) {
    EXPECT_EQ(SoundBlockEncoder::encode(repeated('\x7A', 16)).toHex(),
              bytes({0x40, 0x80, 0x00, 0, 0, 0, 0x7A}).toHex());
    // A run is cut after 4095 bytes; the rest is a second item.
    EXPECT_EQ(SoundBlockEncoder::encode(repeated('\x7A', 4111)).toHex(),
              (bytes({0x40, 0xC0, 0x00}) + repeatItem(4095, 0x7A) + repeatItem(16, 0x7A)).toHex());
}

TEST(SoundBlockEncoder, FifteenEqualBytesAreALiteralAndCopies) {
    const QByteArray block = SoundBlockEncoder::encode(repeated('z', 15) + "0123456789");
    // literal z, copy 15-1 = 14 from distance 1, then ten literals: 12 items in one word.
    EXPECT_EQ(block.left(8).toHex(), bytes({0x40, 0x40, 0x00, 'z', 0x00, 0x1B, '0', '1'}).toHex());
}

TEST(SoundBlockEncoder, LeavesThreeByteMatchesAsLiterals) {
    // "abc" recurs at distance 4: literals, then the zeros as one repeat item.
    EXPECT_EQ(SoundBlockEncoder::encode("abcXabc" + repeated('\0', 100)).toHex(),
              (bytes({0x40, 0x01, 0x00}) + "abcXabc" + repeatItem(100, 0)).toHex());
    // From four bytes on a copy pays.
    EXPECT_EQ(
        SoundBlockEncoder::encode("abcdXabcd" + repeated('\0', 100)).toHex(),
        (bytes({0x40, 0x06, 0x00}) + "abcdX" + bytes({0x00, 0x51}) + repeatItem(100, 0)).toHex());
}

std::vector<QByteArray> encoderSamples() {
    std::vector<QByteArray> samples;
    QByteArray noise;
    std::uint32_t x = 12345;
    for (int i = 0; i < 32781; ++i) {
        x = x * 1103515245u + 12345u;
        noise.append(char(x >> 24));
    }
    samples.push_back(noise);
    samples.push_back(repeated('\0', 32781));
    for (int run : {15, 16, 17, 4095, 4096, 4111, 4112})
        samples.push_back("ab" + repeated('r', run) + "cd");
    QByteArray periodic; // matches at the longest distances, beyond them and overlapping
    for (int i = 0; i < 32781; ++i)
        periodic.append(char((i % 4095) * 7 + (i % 4096 == 0 ? 1 : 0)));
    samples.push_back(periodic);
    QByteArray mixed = noise.left(5000) + repeated('\x11', 3000) + noise.left(4000) +
                       noise.mid(100, 18) + noise.mid(100, 19) + "x";
    samples.push_back(mixed);
    samples.push_back("q");
    samples.push_back(repeated('k', 17) + "ABCDEFGHIJKLMNOPQRSTUVWXYZ" + "ABCDEFGHIJKLMNOPQRSTUV");
    return samples;
}

TEST(SoundBlockEncoder, EveryBlockDecodesToItsPieceAndStaysInBounds) {
    for (const QByteArray& piece : encoderSamples()) {
        const QByteArray block = SoundBlockEncoder::encode(piece);
        SCOPED_TRACE(piece.size());
        EXPECT_LE(block.size(), piece.size() + 1);
        if (block.size() == piece.size() + 1)
            EXPECT_EQ(quint8(block[0]), 0x80);
        else
            EXPECT_EQ(quint8(block[0]), 0x40);
        const Decoded d = decode(block);
        EXPECT_EQ(d.error, "");
        EXPECT_TRUE(d.output == piece);
    }
}

TEST(SoundBlockEncoder, PacksRunsAndRepeatsFarBelowTheirSize) {
    EXPECT_LT(SoundBlockEncoder::encode(repeated('\0', 32781)).size(), 40);
    QByteArray pattern;
    for (int i = 0; i < 32781; ++i)
        pattern.append(char(i % 200));
    EXPECT_LT(SoundBlockEncoder::encode(pattern).size(), 32781 / 4);
}

} // namespace
