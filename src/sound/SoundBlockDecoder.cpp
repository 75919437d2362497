// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SoundBlockDecoder.h"

#include "sound/SoundLibraryFormat.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace F = SoundLibraryFormat;

namespace {

constexpr std::size_t capacity = F::pieceSize;
constexpr const char* expandsPast = "block expands past 32781 bytes";
constexpr const char* reachesBefore = "copy reaches before the start of the block";

// While this much input is left, no item of the next control word can run past the end of the
// block (a word and sixteen items take at most 66 bytes) and literals can be read 16 at a time.
constexpr std::size_t fastInputMargin = 2 + 16 * 4 + 16;
// While this much room is left, 16 literals or a copy with its over-write fit.
constexpr std::size_t fastOutputMargin = 32;

// A copy item: source before destination; a short distance repeats what was just written, as
// one byte at a time would.
inline void copyMatch(std::uint8_t* to, std::size_t distance, std::size_t length,
                      std::size_t room) {
    const std::uint8_t* from = to - distance;
    // At most 18 bytes: fixed-size moves, writing a little past the item (what follows the item
    // overwrites it) when the buffer has room.
    if (distance >= 16 && room >= fastOutputMargin) {
        std::memcpy(to, from, 16);
        std::memcpy(to + 16, from + 16, 2);
        return;
    }
    if (distance >= length) {
        std::memcpy(to, from, length);
        return;
    }
    for (std::size_t k = 0; k < length; ++k)
        to[k] = from[k];
}

struct Cursor {
    std::size_t in = 1;
    std::size_t produced = 0;
    std::uint32_t control = 0; // the items left of the word, the next one in bit 15
    int itemsLeft = 0;
};

// The bulk of a block: each turn takes the literals up to the next reference at once and then
// that reference, so there is no guess between the two kinds per item. Stops, with the cursor on
// an item boundary, when the input or the room gets short; returns an error or null.
const char* decodeBulk(const std::uint8_t* block, std::size_t blockSize, std::uint8_t* out,
                       Cursor& c) {
    while (blockSize - c.in >= fastInputMargin && capacity - c.produced >= fastOutputMargin) {
        if (c.itemsLeft == 0) {
            c.control = std::uint32_t(block[c.in] << 8 | block[c.in + 1]);
            c.in += 2;
            c.itemsLeft = F::itemsPerControlWord;
        }
        const int run = std::min(std::countl_zero(std::uint16_t(c.control)), c.itemsLeft);
        std::memcpy(out + c.produced, block + c.in, 16);
        c.in += std::size_t(run);
        c.produced += std::size_t(run);
        c.itemsLeft -= run;
        c.control <<= run;
        if (c.itemsLeft == 0)
            continue;

        c.control <<= 1;
        --c.itemsLeft;
        const unsigned b0 = block[c.in];
        const unsigned b1 = block[c.in + 1];
        const std::size_t distance = b0 * 16 + b1 / 16;
        const std::size_t room = capacity - c.produced;
        if (distance == 0) {
            const std::size_t count = (b1 * 256 + block[c.in + 2]) + F::minRepeat;
            if (count > room)
                return expandsPast;
            std::memset(out + c.produced, block[c.in + 3], count);
            c.in += 4;
            c.produced += count;
            continue;
        }
        const std::size_t length = b1 % 16 + F::minCopy;
        if (distance > c.produced)
            return reachesBefore;
        if (length > room)
            return expandsPast;
        copyMatch(out + c.produced, distance, length, room);
        c.in += 2;
        c.produced += length;
    }
    return nullptr;
}

} // namespace

SoundBlockDecoder::Result SoundBlockDecoder::decode(const std::uint8_t* block,
                                                    std::size_t blockSize, std::uint8_t* out) {
    if (blockSize == 0)
        return {0, "block length 0"};
    if (blockSize > std::size_t(F::maxBlockSize))
        return {0, "block longer than 32782 bytes"};

    if (block[0] == F::methodStored) {
        const std::size_t n = blockSize - 1;
        std::memcpy(out, block + 1, n);
        return {n, nullptr};
    }

    Cursor c;
    if (const char* error = decodeBulk(block, blockSize, out, c))
        return {c.produced, error};

    // The end of the block, every byte checked.
    while (c.in < blockSize) {
        if (c.itemsLeft == 0) {
            if (blockSize - c.in < 2)
                return {c.produced, "control word cut off by the end of the block"};
            c.control = std::uint32_t(block[c.in] << 8 | block[c.in + 1]);
            c.in += 2;
            c.itemsLeft = F::itemsPerControlWord;
            continue;
        }
        const bool reference = c.control & 0x8000;
        c.control <<= 1;
        --c.itemsLeft;

        if (!reference) {
            if (c.produced == capacity)
                return {c.produced, expandsPast};
            out[c.produced++] = block[c.in++];
            continue;
        }

        if (blockSize - c.in < 2)
            return {c.produced, "copy item cut off by the end of the block"};
        const unsigned b0 = block[c.in];
        const unsigned b1 = block[c.in + 1];
        const std::size_t distance = b0 * 16 + b1 / 16;
        if (distance != 0) {
            const std::size_t length = b1 % 16 + F::minCopy;
            c.in += 2;
            if (distance > c.produced)
                return {c.produced, reachesBefore};
            if (length > capacity - c.produced)
                return {c.produced, expandsPast};
            copyMatch(out + c.produced, distance, length, capacity - c.produced);
            c.produced += length;
            continue;
        }

        if (blockSize - c.in < 4)
            return {c.produced, "repeat item cut off by the end of the block"};
        const std::size_t count = (b1 * 256 + block[c.in + 2]) + F::minRepeat;
        const std::uint8_t value = block[c.in + 3];
        c.in += 4;
        if (count > capacity - c.produced)
            return {c.produced, expandsPast};
        std::memset(out + c.produced, value, count);
        c.produced += count;
    }
    return {c.produced, nullptr};
}
