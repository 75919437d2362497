// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/MixerDevice.h"

struct _snd_mixer;
struct _snd_mixer_elem;

// The playback line of the default ALSA card that sits closest to wave output: "PCM" when the
// card has one, else "Master", else the first element with a playback volume.
class AlsaMixerDevice : public MixerDevice {
public:
    AlsaMixerDevice();
    ~AlsaMixerDevice() override;
    AlsaMixerDevice(const AlsaMixerDevice&) = delete;
    AlsaMixerDevice& operator=(const AlsaMixerDevice&) = delete;

    std::optional<Range> volumeRange() const override;
    bool isMono() const override;
    bool hasSwitch() const override;
    void handleEvents() override;
    std::optional<State> read() const override;
    bool writeVolume(long left, long right) override;
    bool writeSwitch(bool on) override;

private:
    // Attached at the first use, when the first sound is placed: reading ALSA's configuration
    // at start-up held up the splash for a mixer most of an evening does not touch.
    _snd_mixer_elem* element() const;
    void attach() const;

    mutable bool m_attachTried = false;
    mutable _snd_mixer* m_mixer = nullptr;
    mutable _snd_mixer_elem* m_element = nullptr;
};
