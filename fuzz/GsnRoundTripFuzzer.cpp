// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any wave image written by the writer reads back unchanged.
#include "sound/SoundLibraryWriter.h"
#include "sound/TLMDWaveList.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Give the fuzzer's bytes a RIFF header so the reader takes them as a sound.
    QByteArray image("RIFF\0\0\0\0WAVEfmt ", 16);
    image.append(QByteArray(18, '\0'));
    image.append(reinterpret_cast<const char*>(data), qsizetype(size));

    QByteArray library = SoundLibraryWriter::write({{image, "x", 7, true}, {image, {}, 0, false}});
    QBuffer buffer(&library);
    buffer.open(QIODevice::ReadOnly);
    TLMDWaveList list;
    list.LoadSoundLibrary(buffer);
    if (list.count() != 2 || list.wave(0).image() != image || list.wave(1).image() != image ||
        list.item(0).Ident != 7 || list.item(0).Description != "x")
        std::abort();
    return 0;
}
