// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: importing arbitrary bytes as a sound. Whatever comes in, the import either
// refuses with a reason or gives a mono 44.1 kHz image within the peak ceiling; it never crashes,
// hangs or reads out of bounds.
#include "sound/SoundImport.h"
#include "sound/WaveImage.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

// libsndfile 1.2.0 loses libvorbis's stream info when a damaged Ogg Vorbis stream fails to open:
// a leak in the library, not in the import, which closes every file it opened.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:vorbis_info_init\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const SoundImport::Result result =
        SoundImport::fromMemory(QByteArrayView(data, qsizetype(size)));
    if (!result.ok()) {
        if (result.reason.isEmpty() || !result.samples.empty())
            std::abort();
        return 0;
    }
    const auto format = WaveImage::format(result.waveImage);
    if (!format || format->channels != 1 || format->sampleRate != SoundImport::rate ||
        format->dataBytes != qsizetype(result.samples.size() * 2))
        std::abort();
    // -1 dBFS: the finish never lets a peak past it.
    if (std::any_of(result.samples.begin(), result.samples.end(),
                    [](std::int16_t s) { return std::abs(s) > 29204; }))
        std::abort();
    return 0;
}
