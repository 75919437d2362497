// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the twelve sound libraries (0b.gsn ... 5m.gsn) into the directory given.
#include "SpecialtySounds.h"
#include "sound/SoundLibraryWriter.h"
#include "sound/WaveImage.h"

#include <QDir>
#include <QSaveFile>

#include <cstdio>
#include <thread>
#include <vector>

namespace {

bool writeLibrary(const QString& directory, int specialty, bool longSounds) {
    std::vector<SoundLibraryWriter::Sound> entries;
    for (const auto& sound : SpecialtySounds::make(specialty, longSounds)) {
        entries.push_back({WaveImage::fromPcm16Mono(sound.samples, SpecialtySounds::sampleRate),
                           QByteArray::fromStdString(sound.description), 0, true});
    }
    const QString path = QDir(directory).filePath(
        QStringLiteral("%1%2.gsn").arg(specialty).arg(longSounds ? 'b' : 'm'));
    QSaveFile file(path);
    const QByteArray bytes = SoundLibraryWriter::write(entries);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "gloamery-soundgen: %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gloamery-soundgen OUTPUT_DIR\n");
        return 2;
    }
    const QString directory = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(directory)) {
        std::fprintf(stderr, "gloamery-soundgen: cannot create %s\n", argv[1]);
        return 1;
    }
    // Long and short libraries in two threads: the build machine has two cores.
    bool ok[2] = {true, true};
    std::thread worker([&] {
        for (int s = 0; s < SpecialtySounds::specialties; ++s)
            ok[0] = writeLibrary(directory, s, true) && ok[0];
    });
    for (int s = 0; s < SpecialtySounds::specialties; ++s)
        ok[1] = writeLibrary(directory, s, false) && ok[1];
    worker.join();
    return ok[0] && ok[1] ? 0 : 1;
}
