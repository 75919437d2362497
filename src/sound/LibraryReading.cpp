// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/LibraryReading.h"

#include "core/LogCategories.h"
#include "sound/SoundLibraryError.h"
#include "sound/SoundLibraryFormat.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <cstring>

LibraryReading readLibrary(const QString& path, const LibraryStamp& held) {
    LibraryReading reading;
    reading.path = path;
    const QFileInfo file(path);
    if (!file.exists())
        return reading;
    const LibraryStamp stamp{path, file.size(), file.lastModified()};
    if (stamp == held) {
        reading.outcome = LibraryReading::Outcome::Unchanged;
        reading.stamp = stamp;
        return reading;
    }
    auto sounds = std::make_unique<TLMDWaveList>();
    try {
        sounds->LoadSoundLibrary(path);
        reading.outcome = LibraryReading::Outcome::Loaded;
        reading.stamp = stamp;
    } catch (const SoundLibraryError& error) {
        qCWarning(lcSound) << path << error.what();
        reading.outcome = LibraryReading::Outcome::Corrupt;
        // A file that cannot be opened or is no library at all leaves the held sounds alone.
        if (sounds->replacements() == 0)
            return reading;
    }
    reading.sounds = std::move(sounds);
    return reading;
}

LibraryReading readLibrary(const QString& ownPath, const QString& shippedPath,
                           const LibraryStamp& held) {
    if (!ownPath.isEmpty() && QFileInfo::exists(ownPath)) {
        LibraryReading own = readLibrary(ownPath, held);
        own.own = true;
        if (own.outcome != LibraryReading::Outcome::Corrupt)
            return own;
        qCWarning(lcSound) << "playing the shipped library instead of" << ownPath;
    }
    return readLibrary(shippedPath, held);
}

int librarySoundCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray header = file.read(SoundLibraryFormat::signatureSize + 4);
    if (header.size() != SoundLibraryFormat::signatureSize + 4 ||
        std::memcmp(header.constData(), SoundLibraryFormat::signature,
                    SoundLibraryFormat::signatureSize) != 0)
        return 0;
    return std::max(
        0, qFromLittleEndian<qint32>(header.constData() + SoundLibraryFormat::signatureSize));
}
