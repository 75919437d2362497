// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/SoundLibraryPlaces.h"

#include <QString>

// The library an `add` or `remove` changes. A bare name ("3b") means the user's own library of
// that name, which starts from the shipped one's sounds; anything else is a path, and a missing
// file there is a new, empty library.
struct GsnLibraryTarget {
    QString path;      // the file written
    QString startFrom; // the file read first; empty for a new library
    bool own = false;  // named: the shipped sounds are what deleting `path` goes back to

    // Empty `path` when the name has no place to go; `reason` says why.
    static GsnLibraryTarget resolve(const QString& argument, const SoundLibraryPlaces& places,
                                    QString* reason);
};
