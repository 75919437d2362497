// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/AlsaMixerDevice.h"

#include "core/LogCategories.h"

#include <alsa/asoundlib.h>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

// ALSA prints its own complaints to stderr (for instance on a machine without a sound card); the
// program reports nothing of the mixer, so they go to the debug log instead.
[[gnu::format(printf, 5, 6)]] void quietErrors(const char* file, int line, const char* function,
                                               int error, const char* format, ...) {
    char message[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    qCDebug(lcSound) << "alsa:" << file << line << function << error << message;
}

snd_mixer_elem_t* findElement(snd_mixer_t* mixer, const char* name) {
    for (snd_mixer_elem_t* element = snd_mixer_first_elem(mixer); element;
         element = snd_mixer_elem_next(element)) {
        if (!snd_mixer_selem_is_active(element) || !snd_mixer_selem_has_playback_volume(element))
            continue;
        if (!name || std::strcmp(snd_mixer_selem_get_name(element), name) == 0)
            return element;
    }
    return nullptr;
}

} // namespace

AlsaMixerDevice::AlsaMixerDevice() {
    snd_lib_error_set_handler(quietErrors);
}

snd_mixer_elem_t* AlsaMixerDevice::element() const {
    if (!m_attachTried)
        attach();
    return m_element;
}

void AlsaMixerDevice::attach() const {
    m_attachTried = true;
    if (snd_mixer_open(&m_mixer, 0) < 0)
        return;
    if (snd_mixer_attach(m_mixer, "default") < 0 ||
        snd_mixer_selem_register(m_mixer, nullptr, nullptr) < 0 || snd_mixer_load(m_mixer) < 0) {
        qCInfo(lcSound) << "no ALSA mixer: stereo placement reaches only the labels";
        snd_mixer_close(m_mixer);
        m_mixer = nullptr;
        return;
    }
    for (const char* name : {"PCM", "Master", static_cast<const char*>(nullptr)}) {
        m_element = findElement(m_mixer, name);
        if (m_element)
            break;
    }
    if (m_element)
        qCInfo(lcSound) << "mixer line:" << snd_mixer_selem_get_name(m_element);
}

AlsaMixerDevice::~AlsaMixerDevice() {
    if (m_mixer)
        snd_mixer_close(m_mixer);
}

std::optional<MixerDevice::Range> AlsaMixerDevice::volumeRange() const {
    if (!element())
        return std::nullopt;
    Range range;
    if (snd_mixer_selem_get_playback_volume_range(m_element, &range.min, &range.max) < 0 ||
        range.max <= range.min)
        return std::nullopt;
    return range;
}

bool AlsaMixerDevice::isMono() const {
    return element() && snd_mixer_selem_is_playback_mono(m_element);
}

bool AlsaMixerDevice::hasSwitch() const {
    return element() && snd_mixer_selem_has_playback_switch(m_element);
}

void AlsaMixerDevice::handleEvents() {
    // The mixer was attached non-blocking, so this only drains the events already queued.
    if (element() && snd_mixer_handle_events(m_mixer) < 0)
        qCDebug(lcSound) << "mixer events could not be read; levels may be stale";
}

std::optional<MixerDevice::State> AlsaMixerDevice::read() const {
    if (!element())
        return std::nullopt;
    State state;
    const auto right = isMono() ? SND_MIXER_SCHN_MONO : SND_MIXER_SCHN_FRONT_RIGHT;
    if (snd_mixer_selem_get_playback_volume(m_element, SND_MIXER_SCHN_FRONT_LEFT, &state.left) <
            0 ||
        snd_mixer_selem_get_playback_volume(m_element, right, &state.right) < 0)
        return std::nullopt;
    if (hasSwitch()) {
        int on = 1;
        snd_mixer_selem_get_playback_switch(m_element, SND_MIXER_SCHN_FRONT_LEFT, &on);
        state.switchOn = on != 0;
    }
    return state;
}

bool AlsaMixerDevice::writeVolume(long left, long right) {
    if (!element())
        return false;
    if (isMono())
        return snd_mixer_selem_set_playback_volume_all(m_element, left) >= 0;
    return snd_mixer_selem_set_playback_volume(m_element, SND_MIXER_SCHN_FRONT_LEFT, left) >= 0 &&
           snd_mixer_selem_set_playback_volume(m_element, SND_MIXER_SCHN_FRONT_RIGHT, right) >= 0;
}

bool AlsaMixerDevice::writeSwitch(bool on) {
    return element() && snd_mixer_selem_set_playback_switch_all(m_element, on ? 1 : 0) >= 0;
}
