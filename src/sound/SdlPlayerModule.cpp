// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SdlSoundPlayer.h"

#include <QtGlobal>

// The entry point LoadedSoundPlayer looks for: the SDL player, owned by the caller.
extern "C" Q_DECL_EXPORT SoundPlayer* gloamery_make_sound_player();

SoundPlayer* gloamery_make_sound_player() {
    return new SdlSoundPlayer;
}
