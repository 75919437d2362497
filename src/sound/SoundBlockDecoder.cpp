#include "sound/SoundBlockDecoder.h"

#include "sound/SoundLibraryFormat.h"

#include <cstring>

namespace F = SoundLibraryFormat;

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

    constexpr std::size_t capacity = F::pieceSize;
    std::size_t in = 1;
    std::size_t produced = 0;
    unsigned control = 0;
    int itemsLeft = 0;
    while (in < blockSize) {
        if (itemsLeft == 0) {
            if (blockSize - in < 2)
                return {produced, "control word cut off by the end of the block"};
            control = unsigned(block[in]) << 8 | block[in + 1];
            in += 2;
            itemsLeft = F::itemsPerControlWord;
            continue;
        }
        const bool reference = control & 0x8000;
        control <<= 1;
        --itemsLeft;

        if (!reference) {
            if (produced == capacity)
                return {produced, "block expands past 32781 bytes"};
            out[produced++] = block[in++];
            continue;
        }

        if (blockSize - in < 2)
            return {produced, "copy item cut off by the end of the block"};
        const unsigned b0 = block[in];
        const unsigned b1 = block[in + 1];
        const std::size_t distance = b0 * 16 + b1 / 16;
        if (distance != 0) {
            const std::size_t length = b1 % 16 + F::minCopy;
            in += 2;
            if (distance > produced)
                return {produced, "copy reaches before the start of the block"};
            if (length > capacity - produced)
                return {produced, "block expands past 32781 bytes"};
            // One byte at a time: the source may overlap the bytes being produced.
            const std::uint8_t* from = out + produced - distance;
            for (std::size_t k = 0; k < length; ++k)
                out[produced + k] = from[k];
            produced += length;
            continue;
        }

        if (blockSize - in < 4)
            return {produced, "repeat item cut off by the end of the block"};
        const std::size_t count = (b1 * 256 + block[in + 2]) + F::minRepeat;
        const std::uint8_t value = block[in + 3];
        in += 4;
        if (count > capacity - produced)
            return {produced, "block expands past 32781 bytes"};
        std::memset(out + produced, value, count);
        produced += count;
    }
    return {produced, nullptr};
}
