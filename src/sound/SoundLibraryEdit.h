// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/SoundLibraryWriter.h"

#include <QString>

#include <vector>

// A library being changed: read whole, changed in memory, written back in one piece. Own
// libraries hold 1 to 100 sounds.
class SoundLibraryEdit {
public:
    static constexpr int maxSounds = 100;

    enum class Problem {
        None,
        Full,            // already maxSounds
        LastSound,       // a library keeps one sound at least
        NoSuchSound,     // index outside the library
        NotWindows1251,  // a description holds a character the format cannot store
        DescriptionLong, // over 255 bytes in Windows-1251
        Unreadable,      // the library to start from cannot be read
        WriteFailed      // the folder or the file cannot be written; the old file is whole
    };

    struct Outcome {
        Problem problem = Problem::None;
        QString reason; // English; names the file where there is one
        bool ok() const { return problem == Problem::None; }
    };

    SoundLibraryEdit() = default;
    // Reads every sound of the library at `path`.
    static SoundLibraryEdit read(const QString& path, Outcome* outcome);

    const std::vector<SoundLibraryWriter::Sound>& sounds() const { return m_sounds; }
    int count() const { return int(m_sounds.size()); }

    Outcome add(QByteArray waveImage, const QString& description);
    Outcome remove(int index);
    Outcome setDescription(int index, const QString& description);

    // Writes through a temporary file beside `path`, renamed over it only once written whole:
    // a crash, a full disk or a refused folder leaves the old library as it was.
    Outcome write(const QString& path) const;

    // The description in Windows-1251, or why it cannot be stored.
    static Outcome encodeDescription(const QString& text, QByteArray* bytes);

private:
    std::vector<SoundLibraryWriter::Sound> m_sounds;
};
