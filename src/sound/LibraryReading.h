// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/TLMDWaveList.h"

#include <QDateTime>
#include <QString>

#include <memory>

// Which file, as it was, a list of sounds was read from.
struct LibraryStamp {
    QString path;
    qint64 size = -1;
    QDateTime modified;

    bool operator==(const LibraryStamp&) const = default;
};

// What reading one sound library found. Made on a reading thread, taken over by the one that
// plays.
struct LibraryReading {
    enum class Outcome { Loaded, Corrupt, Missing, Unchanged };

    Outcome outcome = Outcome::Missing;
    // The sounds that replace the ones held: set whenever the file got past the signature check,
    // so a library that breaks further on still replaces the old sounds with what it held.
    std::unique_ptr<TLMDWaveList> sounds;
    // The file of `sounds` when they are the whole library; empty otherwise.
    LibraryStamp stamp;
    QString path; // the file looked at
    bool own = false;
};

// Reads the library at `path`, unless `held` (the stamp of the sounds held now) shows they are
// that file as it is now: a ghost acting again from the same library does not decode it again,
// yet a library replaced on disk is read anew. Blocks on the file: never call it on the UI thread.
LibraryReading readLibrary(const QString& path, const LibraryStamp& held);
// The user's own library at `ownPath` when there is one that reads whole, otherwise the shipped
// one: an own library damaged by hand must not silence its ghosts.
LibraryReading readLibrary(const QString& ownPath, const QString& shippedPath,
                           const LibraryStamp& held);

// How many sounds the library at `path` says it holds, from its header alone; 0 when there is no
// such file or it is no library. Blocks on the file.
int librarySoundCount(const QString& path);
