// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/SoundPlayer.h"

#include <QLibrary>
#include <QStringList>

#include <memory>

// The SDL player, loaded from its module the first time a sound is played. SDL and its many
// codec libraries are not loaded at start-up, and no audio device is open, with its mixing
// thread, until the first act: a program that waits all evening for its first ghost neither
// starts slower nor costs more for a sound it has not made yet.
class LoadedSoundPlayer : public SoundPlayer {
public:
    // The module's file name and where it is looked for, in this order.
    static constexpr const char* ModuleName = "gloamery_sdl_player";
    static QStringList moduleFolders();

    explicit LoadedSoundPlayer(QStringList folders = moduleFolders());
    ~LoadedSoundPlayer() override;
    LoadedSoundPlayer(const LoadedSoundPlayer&) = delete;
    LoadedSoundPlayer& operator=(const LoadedSoundPlayer&) = delete;

    bool loaded() const { return m_player != nullptr; }

    void prepare() override { player(); }
    bool play(const QByteArray& waveImage, double amplitude) override;
    void stop() override;
    bool playing() const override;
    QString fault() const override;

private:
    // Loads the module once; null when it cannot be had (the program then stays silent).
    SoundPlayer* player();

    QStringList m_folders;
    bool m_tried = false;
    QLibrary m_module;
    QString m_loadError;
    std::unique_ptr<SoundPlayer> m_player;
};
