// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

// Expands one block of compressed wave data. Bounds are checked on every item: a damaged block
// gives an error, never a read or write outside the two buffers.
class SoundBlockDecoder {
public:
    struct Result {
        std::size_t size = 0;        // bytes written to the output
        const char* error = nullptr; // why the block was rejected; null on success
    };

    // `out` must hold SoundLibraryFormat::pieceSize bytes.
    static Result decode(const std::uint8_t* block, std::size_t blockSize, std::uint8_t* out);
};
