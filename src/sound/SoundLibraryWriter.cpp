// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SoundLibraryWriter.h"

#include "sound/SoundBlockEncoder.h"
#include "sound/SoundLibraryFormat.h"

#include <QtEndian>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

namespace F = SoundLibraryFormat;

namespace {

void appendLe32(QByteArray& out, std::uint32_t v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

void putLe32(QByteArray& out, qsizetype at, std::uint32_t v) {
    qToLittleEndian(v, out.data() + at);
}

constexpr qsizetype maxImage = std::numeric_limits<qint32>::max();

} // namespace

QByteArray SoundLibraryWriter::compressWave(QByteArrayView image) {
    QByteArray out;
    appendLe32(out, 0);
    for (qsizetype at = 0; at < image.size(); at += F::pieceSize) {
        const QByteArray block = SoundBlockEncoder::encode(
            image.sliced(at, std::min<qsizetype>(F::pieceSize, image.size() - at)));
        appendLe32(out, std::uint32_t(block.size()));
        out.append(block);
    }
    const qsizetype total = out.size() - 4;
    if (total > maxImage)
        throw std::invalid_argument("compressed wave data larger than 2 GiB");
    putLe32(out, 0, std::uint32_t(total));
    return out;
}

QByteArray SoundLibraryWriter::write(const std::vector<Sound>& sounds) {
    if (sounds.size() > std::size_t(std::numeric_limits<qint32>::max()))
        throw std::invalid_argument("too many sounds");
    QByteArray out(F::signature, F::signatureSize);
    appendLe32(out, std::uint32_t(sounds.size()));
    const qsizetype table = out.size();
    out.append(qsizetype(sounds.size()) * 4, '\0');

    for (std::size_t i = 0; i < sounds.size(); ++i) {
        const Sound& sound = sounds[i];
        if (sound.description.size() > F::maxDescriptionBytes)
            throw std::invalid_argument("sound " + std::to_string(i) + ": description of " +
                                        std::to_string(sound.description.size()) +
                                        " bytes; at most 255");
        if (sound.image.size() > maxImage)
            throw std::invalid_argument("sound " + std::to_string(i) + ": larger than 2 GiB");
        if (out.size() > qsizetype(std::numeric_limits<std::uint32_t>::max()))
            throw std::invalid_argument("library larger than 4 GiB");
        putLe32(out, table + qsizetype(i) * 4, std::uint32_t(out.size()));

        std::uint8_t flags = 0;
        if (sound.compressed)
            flags |= F::flagCompressed;
        if (!sound.description.isEmpty())
            flags |= F::flagDescription;
        if (sound.ident != 0)
            flags |= F::flagIdent;
        if (!sound.image.isEmpty())
            flags |= F::flagWave;
        out.append(char(flags));

        if (flags & F::flagDescription) {
            out.append(char(sound.description.size()));
            out.append(sound.description);
        }
        if (flags & F::flagIdent)
            appendLe32(out, sound.ident);
        if (flags & F::flagWave) {
            if (sound.compressed) {
                out.append(compressWave(sound.image));
            } else {
                appendLe32(out, std::uint32_t(sound.image.size()));
                out.append(sound.image);
            }
        }
    }
    return out;
}
