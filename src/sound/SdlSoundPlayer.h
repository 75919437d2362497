// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/SoundPlayer.h"

#include <QString>

struct Mix_Chunk;

// SDL2_mixer on one fixed channel. The audio device is opened when the player is made, with a
// time limit: an audio server that hangs leaves the program silent, never stuck.
class SdlSoundPlayer : public SoundPlayer {
public:
    SdlSoundPlayer();
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    bool available() const { return m_open; }
    const QString& driver() const { return m_driver; }
    // Why the audio device did not open, in SDL's words; empty when it did. Without a device
    // the player may still be available, silent, through SDL's dummy driver.
    const QString& openError() const { return m_openError; }

    bool play(const QByteArray& waveImage, double amplitude) override;
    void stop() override;
    bool playing() const override;
    // Also when it plays silently through the dummy driver, as nobody hears it.
    QString fault() const override { return m_openError; }

private:
    bool m_open = false;
    QString m_driver;
    QString m_openError;
    Mix_Chunk* m_chunk = nullptr;
};
