// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Byte layout of a sound library (.gsn): the numbers the reader and the writer must agree on.
namespace SoundLibraryFormat {

inline constexpr char signature[] = "\x08LMDWVL30"; // length byte, then the eight characters
inline constexpr int signatureSize = 9;

inline constexpr std::uint8_t flagCompressed = 0x01;
inline constexpr std::uint8_t flagDescription = 0x02;
inline constexpr std::uint8_t flagIdent = 0x04;
inline constexpr std::uint8_t flagWave = 0x08;

inline constexpr int maxDescriptionBytes = 255;

// A writer cuts wave images into pieces of this size; a block never expands to more.
inline constexpr int pieceSize = 32781;
// A stored block is its piece plus the method byte.
inline constexpr int maxBlockSize = pieceSize + 1;

inline constexpr std::uint8_t methodStored = 0x80;
inline constexpr std::uint8_t methodCompressed = 0x40;

inline constexpr int minCopy = 3;
// Copies the writer emits: a 3-byte copy saves under a byte (in PCM mostly a chance match) yet
// costs the reader a turn of its loop; leaving them out triples the reading speed for 2-5 % size.
inline constexpr int minWrittenCopy = 4;
inline constexpr int maxCopy = 18;
inline constexpr int maxDistance = 4095;
inline constexpr int minRepeat = 16;
inline constexpr int maxRepeat = 4095 + 16;   // what one repeat item can express
inline constexpr int maxWrittenRepeat = 4095; // runs the writer puts into one item
inline constexpr int itemsPerControlWord = 16;

// The reader's own limits, far above any sound the program plays: without them a small crafted
// file (2 GiB per compressed sound, any number of sounds) makes the reader allocate gigabytes.
inline constexpr std::int64_t maxSoundBytes = std::int64_t(64) << 20;
inline constexpr std::int64_t maxLibraryBytes = std::int64_t(256) << 20;

} // namespace SoundLibraryFormat
