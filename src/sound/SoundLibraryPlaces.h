// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the twelve libraries live: the shipped ones with the program, and the user's own, each of
// which replaces the shipped library of its name. The shipped files are never written.
struct SoundLibraryPlaces {
    static constexpr int specialtyCount = 6;
    static constexpr int libraryCount = 2 * specialtyCount;

    QString shipped;
    QString own; // empty: no own libraries

    // The program's Res/Snd, and gloamery/Snd in the user's data folder ($XDG_DATA_HOME).
    static SoundLibraryPlaces standard();
    // "<specialty><b|m>.gsn"; kind 0 the long sounds, otherwise the short ones.
    static QString fileName(int special, int kind);
    // "3b" from "3b", "3b.gsn" or a path ending in either; empty when no library has the name.
    static QString libraryName(const QString& text);

    QString shippedPath(int special, int kind) const;
    QString ownPath(int special, int kind) const; // empty without an own folder
};
