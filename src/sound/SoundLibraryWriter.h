// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <vector>

// Produces sound library files: header, a true offset table, and one record per sound.
class SoundLibraryWriter {
public:
    struct Sound {
        QByteArray image;       // a RIFF WAVE image; empty for an empty sound
        QByteArray description; // Windows-1251, at most 255 bytes
        std::uint32_t ident = 0;
        bool compressed = true;
    };

    // Throws std::invalid_argument for a description over 255 bytes or an image over 2 GiB.
    static QByteArray write(const std::vector<Sound>& sounds);

    // The compressed wave data of a record: total size, then the blocks.
    static QByteArray compressWave(QByteArrayView image);
};
