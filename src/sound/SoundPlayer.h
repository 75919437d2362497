// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Plays one complete wave file image from memory, asynchronously. One sound at a time: starting
// a sound cuts off the one playing.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Gets ready for the first sound (loading, opening the audio device), which may take a
    // noticeable time. May run on another thread, once, before any other call.
    virtual void prepare() {}
    // `amplitude` 0..1. False when nothing plays (no audio device, an image it cannot decode);
    // that is never an error for the user.
    virtual bool play(const QByteArray& waveImage, double amplitude) = 0;
    virtual void stop() = 0;
    // Whether the sound started last is still being heard.
    virtual bool playing() const = 0;
    // Why no sound can be heard at all, in the system's words; empty when sounds can be heard.
    // Known once prepare() has returned.
    virtual QString fault() const { return {}; }
};
