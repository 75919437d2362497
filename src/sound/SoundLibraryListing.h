// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/SoundLibraryEdit.h"
#include "sound/SoundLibraryPlaces.h"

#include <QString>

#include <optional>
#include <vector>

// What the sounds window shows of one library: whose file plays, and each sound's description,
// length and loudness.
struct SoundLibraryListing {
    struct Sound {
        QString description;
        double seconds = 0;
        std::optional<double> loudness; // LUFS; none for a sound too short or silent to measure
    };

    bool read = false; // false until a reading came back
    bool own = false;  // the user's own file, which replaces the shipped one
    QString problem;   // English; why the file could not be read
    std::vector<Sound> sounds;

    int count() const { return int(sounds.size()); }

    static SoundLibraryListing of(const SoundLibraryEdit& edit, bool own);
};

// The file a change starts from: the own library when there is one, the shipped one otherwise,
// so the first change of a library keeps the sounds the user heard so far. Blocks on the file.
SoundLibraryEdit startEdit(const SoundLibraryPlaces& places, int special, int kind, bool* own,
                           SoundLibraryEdit::Outcome* outcome);
// Reads and measures a library as it plays now. Blocks on the file and decodes every sound.
SoundLibraryListing listLibrary(const SoundLibraryPlaces& places, int special, int kind);
