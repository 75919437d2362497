// SPDX-License-Identifier: GPL-3.0-or-later
// The decoder's fast paths against the plainest reading of the block format: one item at a time,
// every byte checked. Both must give the same bytes, the same size and the same error for
// packed sound, damaged blocks and noise alike.
#include "sound/SoundBlockDecoder.h"
#include "sound/SoundBlockEncoder.h"
#include "sound/SoundLibraryFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

namespace F = SoundLibraryFormat;

struct Outcome {
    QByteArray bytes;
    std::string error;
    bool operator==(const Outcome&) const = default;
};

Outcome model(const QByteArray& blockBytes) {
    const auto* block = reinterpret_cast<const std::uint8_t*>(blockBytes.constData());
    const std::size_t size = std::size_t(blockBytes.size());
    if (size == 0)
        return {{}, "block length 0"};
    if (size > std::size_t(F::maxBlockSize))
        return {{}, "block longer than 32782 bytes"};
    if (block[0] == F::methodStored)
        return {blockBytes.mid(1), ""};
    QByteArray out;
    std::size_t in = 1;
    unsigned control = 0;
    int left = 0;
    while (in < size) {
        if (left == 0) {
            if (size - in < 2)
                return {out, "control word cut off by the end of the block"};
            control = unsigned(block[in]) << 8 | block[in + 1];
            in += 2;
            left = 16;
            continue;
        }
        const bool reference = control & 0x8000;
        control <<= 1;
        --left;
        if (!reference) {
            if (out.size() == F::pieceSize)
                return {out, "block expands past 32781 bytes"};
            out.append(char(block[in++]));
            continue;
        }
        if (size - in < 2)
            return {out, "copy item cut off by the end of the block"};
        const int distance = block[in] * 16 + block[in + 1] / 16;
        if (distance != 0) {
            const int length = block[in + 1] % 16 + 3;
            in += 2;
            if (distance > out.size())
                return {out, "copy reaches before the start of the block"};
            if (length > F::pieceSize - out.size())
                return {out, "block expands past 32781 bytes"};
            for (int k = 0; k < length; ++k)
                out.append(out[out.size() - distance]);
            continue;
        }
        if (size - in < 4)
            return {out, "repeat item cut off by the end of the block"};
        const int count = block[in + 1] * 256 + block[in + 2] + 16;
        const char value = char(block[in + 3]);
        in += 4;
        if (count > F::pieceSize - out.size())
            return {out, "block expands past 32781 bytes"};
        out.append(QByteArray(count, value));
    }
    return {out, ""};
}

Outcome decoded(const QByteArray& block) {
    std::vector<std::uint8_t> out(F::pieceSize);
    const auto r = SoundBlockDecoder::decode(reinterpret_cast<const std::uint8_t*>(block.data()),
                                             std::size_t(block.size()), out.data());
    return {QByteArray(reinterpret_cast<const char*>(out.data()), qsizetype(r.size)),
            r.error ? r.error : ""};
}

// 16-bit samples of a decaying tone with noise and silences, the kind the libraries hold.
QByteArray soundPiece(std::mt19937& random, int size) {
    std::uniform_real_distribution<double> noise(-1, 1);
    const double pitch = 0.01 + 0.2 * (random() % 100) / 100.0;
    const double noisiness = (random() % 4) * 300.0;
    QByteArray piece;
    for (int i = 0; piece.size() < size; ++i) {
        const bool silent = (i / 700) % 5 == 4;
        const double value = silent ? 0 : 9000 * std::sin(i * pitch) + noisiness * noise(random);
        const auto sample = qint16(std::lround(value));
        piece.append(char(sample & 0xFF));
        piece.append(char((sample >> 8) & 0xFF));
    }
    piece.truncate(size);
    return piece;
}

TEST(SoundBlockDecoder, AgreesWithTheItemByItemReadingOnSoundAndDamage) {
    std::mt19937 random(20261209);
    int packed = 0;
    for (int round = 0; round < 300; ++round) {
        const int size = round % 3 == 0 ? F::pieceSize : 1 + int(random() % F::pieceSize);
        QByteArray block = SoundBlockEncoder::encode(soundPiece(random, size));
        packed += quint8(block[0]) != F::methodStored;
        std::vector<QByteArray> variants{block};
        // Flipped bytes, a cut, and a stored marker lost: damage the reader must stop at.
        QByteArray flipped = block;
        for (int k = 0; k < 1 + round % 8; ++k)
            flipped[1 +
                    qsizetype(random() % std::uint32_t(std::max<qsizetype>(1, block.size() - 1))) %
                        block.size()] = char(random());
        variants.push_back(flipped);
        variants.push_back(block.left(1 + qsizetype(random() % std::uint32_t(block.size()))));
        QByteArray noise(1 + qsizetype(random() % 4000), Qt::Uninitialized);
        for (char& byte : noise)
            byte = char(random());
        noise[0] = 0x40;
        variants.push_back(noise);
        for (const QByteArray& variant : variants) {
            const Outcome expected = model(variant);
            const Outcome actual = decoded(variant);
            ASSERT_EQ(actual.error, expected.error) << "round " << round;
            ASSERT_EQ(actual.bytes.size(), expected.bytes.size()) << "round " << round;
            ASSERT_TRUE(actual.bytes == expected.bytes) << "round " << round;
        }
    }
    EXPECT_GT(packed, 100) << "most pieces must take the packed path";
}

QByteArray bytesOf(std::initializer_list<char> bytes) {
    return QByteArray(bytes.begin(), qsizetype(bytes.size()));
}

// Packs items into a block as the format lays them out: a control word before each sixteen.
struct BlockBuilder {
    struct Item {
        QByteArray bytes;
        bool reference;
    };
    std::vector<Item> items;
    void literal(char byte) { items.push_back({QByteArray(1, byte), false}); }
    void copy(int distance, int length) {
        items.push_back(
            {bytesOf({char(distance >> 4), char((distance & 15) << 4 | (length - 3))}), true});
    }
    void repeat(int count, char value) {
        const int n = count - 16;
        items.push_back({bytesOf({0, char(n >> 8), char(n & 0xFF), value}), true});
    }
    QByteArray block() const {
        QByteArray out(1, char(0x40));
        for (std::size_t word = 0; word < items.size(); word += 16) {
            unsigned control = 0;
            QByteArray body;
            for (std::size_t k = 0; k < 16 && word + k < items.size(); ++k) {
                control |= items[word + k].reference ? 0x8000U >> k : 0;
                body += items[word + k].bytes;
            }
            out += char(control >> 8);
            out += char(control & 0xFF);
            out += body;
        }
        return out;
    }
};

TEST(SoundBlockDecoder, ACopyAfterLiteralsInOneWordStopsAtTheEndOfThePiece) {
    // Sixteen repeats fill one word up to the last bytes, so that the next word holds 15 literals
    // and a copy of 18 that just fits or overruns the piece by one.
    for (const int room : {18, 17}) {
        BlockBuilder b;
        const int target = F::pieceSize - room - 15;
        for (int k = 0; k < 16; ++k)
            b.repeat(k < 15 ? target / 16 : target - 15 * (target / 16), 'r');
        for (int k = 0; k < 15; ++k)
            b.literal(char('a' + k));
        b.copy(16, 18);
        for (int k = 0; k < 120; ++k)
            b.literal('t');
        const QByteArray block = b.block();
        const Outcome expected = model(block);
        // The case is what it claims: the copy fills the piece, or is refused before it.
        EXPECT_EQ(expected.bytes.size(), room == 18 ? F::pieceSize : F::pieceSize - room);
        const Outcome actual = decoded(block);
        EXPECT_EQ(actual.error, expected.error) << room;
        EXPECT_TRUE(actual.bytes == expected.bytes) << room;
    }
}

TEST(SoundBlockDecoder, AgreesWithTheItemByItemReadingAtTheEndOfThePiece) {
    // Repeats up to a few bytes short of the full piece, then literals and a copy that fits or
    // overruns it by one, with plenty of input still ahead.
    for (const int room : {20, 19, 18, 17, 16, 3, 2, 0}) {
        for (const int literals : {0, 1, 4}) {
            BlockBuilder b;
            int filled = 0;
            const int target = F::pieceSize - room - literals;
            while (target - filled > 0) {
                const int count = std::min(4111, target - filled);
                if (count < 16)
                    break;
                b.repeat(count, 'r');
                filled += count;
            }
            while (filled < target) {
                b.literal('x');
                ++filled;
            }
            for (int k = 0; k < literals; ++k)
                b.literal(char('a' + k));
            b.copy(16, 18);
            for (int k = 0; k < 120; ++k)
                b.literal('t');
            const QByteArray block = b.block();
            const Outcome expected = model(block);
            const Outcome actual = decoded(block);
            EXPECT_EQ(actual.error, expected.error) << room << " " << literals;
            EXPECT_TRUE(actual.bytes == expected.bytes) << room << " " << literals;
        }
    }
}

} // namespace
