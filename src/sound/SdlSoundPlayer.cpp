// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SdlSoundPlayer.h"

#include "core/LogCategories.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <chrono>
#include <future>
#include <thread>

namespace {

constexpr int Channel = 0;
constexpr auto OpenTimeLimit = std::chrono::seconds(3);

// SDL keeps its error text per thread, and the device is opened on a thread of its own: the
// reason has to travel with the result.
struct Opening {
    bool open = false;
    QString error;
};

Opening openAudio() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return {false, QString::fromUtf8(SDL_GetError())};
    if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 2048) == 0)
        return {true, {}};
    Opening failed{false, QString::fromUtf8(Mix_GetError())};
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return failed;
}

// Opens the device on a helper thread so a hanging audio server cannot stop the caller.
Opening openAudioWithin(std::chrono::seconds limit) {
    std::packaged_task<Opening()> task(openAudio);
    std::future<Opening> opened = task.get_future();
    std::thread opener(std::move(task));
    if (opened.wait_for(limit) == std::future_status::ready) {
        opener.join();
        return opened.get();
    }
    opener.detach();
    qCInfo(lcSound) << "the audio device did not open in time; sounds stay silent";
    return {false, QStringLiteral("the audio device did not open within %1 s").arg(limit.count())};
}

} // namespace

SdlSoundPlayer::SdlSoundPlayer() {
    Opening opening = openAudioWithin(OpenTimeLimit);
    if (!opening.open && !qEnvironmentVariableIsSet("SDL_AUDIODRIVER")) {
        // No sound card (or server): keep the program's timing with SDL's silent driver.
        qCInfo(lcSound).noquote() << "no audio device, playing silently:" << opening.error;
        m_openError = opening.error;
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
        opening = openAudioWithin(OpenTimeLimit);
    }
    m_open = opening.open;
    if (!m_open) {
        m_openError = opening.error;
        qCInfo(lcSound).noquote() << "no audio output, sounds stay silent:" << m_openError;
        return;
    }
    m_driver = QString::fromUtf8(SDL_GetCurrentAudioDriver());
    Mix_AllocateChannels(1);
    qCInfo(lcSound) << "audio through" << m_driver;
}

SdlSoundPlayer::~SdlSoundPlayer() {
    if (!m_open)
        return;
    stop();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlSoundPlayer::play(const QByteArray& waveImage, double amplitude) {
    if (!m_open || waveImage.isEmpty())
        return false;
    stop();
    SDL_RWops* source =
        SDL_RWFromConstMem(waveImage.constData(), static_cast<int>(waveImage.size()));
    m_chunk = source ? Mix_LoadWAV_RW(source, 1) : nullptr;
    if (!m_chunk) {
        qCWarning(lcSound) << "cannot play this sound:" << Mix_GetError();
        return false;
    }
    Mix_VolumeChunk(m_chunk, static_cast<int>(MIX_MAX_VOLUME * std::clamp(amplitude, 0.0, 1.0)));
    if (Mix_PlayChannel(Channel, m_chunk, 0) < 0) {
        qCWarning(lcSound) << "cannot play this sound:" << Mix_GetError();
        return false;
    }
    return true;
}

void SdlSoundPlayer::stop() {
    if (!m_open)
        return;
    Mix_HaltChannel(Channel);
    if (m_chunk) {
        Mix_FreeChunk(m_chunk);
        m_chunk = nullptr;
    }
}

bool SdlSoundPlayer::playing() const {
    return m_open && Mix_Playing(Channel) != 0;
}
