// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SoundLibraryListing.h"

#include "core/Windows1251.h"
#include "sound/LoudnessMeter.h"
#include "sound/WaveImage.h"

#include <QFileInfo>

SoundLibraryListing SoundLibraryListing::of(const SoundLibraryEdit& edit, bool own) {
    SoundLibraryListing listing;
    listing.read = true;
    listing.own = own;
    for (const SoundLibraryWriter::Sound& sound : edit.sounds()) {
        const std::optional<WaveImage::Format> format = WaveImage::format(sound.image);
        listing.sounds.push_back({Windows1251::decode(sound.description),
                                  format ? format->seconds() : 0.0,
                                  LoudnessMeter::ofWaveImage(sound.image)});
    }
    return listing;
}

SoundLibraryEdit startEdit(const SoundLibraryPlaces& places, int special, int kind, bool* own,
                           SoundLibraryEdit::Outcome* outcome) {
    const QString ownPath = places.ownPath(special, kind);
    *own = !ownPath.isEmpty() && QFileInfo::exists(ownPath);
    return SoundLibraryEdit::read(*own ? ownPath : places.shippedPath(special, kind), outcome);
}

SoundLibraryListing listLibrary(const SoundLibraryPlaces& places, int special, int kind) {
    bool own = false;
    SoundLibraryEdit::Outcome outcome;
    const SoundLibraryEdit edit = startEdit(places, special, kind, &own, &outcome);
    SoundLibraryListing listing = SoundLibraryListing::of(edit, own);
    listing.problem = outcome.reason;
    return listing;
}
