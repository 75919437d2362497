// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SoundChoice.h"

#include <QMetaType>
#include <QString>

// What became of one play (or one reading of a library without playing).
struct SoundReport {
    enum class Library { Loaded, Corrupt, Missing };

    SoundChoice choice; // in range
    QString path;
    Library library = Library::Missing;
    int soundCount = 0; // sounds held now, which a missing library leaves as they were
    bool started = false;
    bool own = false; // the sounds held are from the user's own library
    // The library's words for the sound that started; empty when none did.
    QString description;
};
Q_DECLARE_METATYPE(SoundReport)
