// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/LoadedSoundPlayer.h"

#include <QCoreApplication>
#include <QDir>

#ifndef GLOAMERY_MODULES_FROM_BIN
#define GLOAMERY_MODULES_FROM_BIN "../lib/gloamery"
#endif

namespace {

using MakePlayer = SoundPlayer* (*)();
const char* const MakePlayerSymbol = "gloamery_make_sound_player";

} // namespace

QStringList LoadedSoundPlayer::moduleFolders() {
    // Beside the executable in a build folder; in an install, in the program's own library
    // folder, found from the executable so that an install under any prefix works.
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.absolutePath(),
            QDir::cleanPath(program.absoluteFilePath(QStringLiteral(GLOAMERY_MODULES_FROM_BIN)))};
}

LoadedSoundPlayer::LoadedSoundPlayer(QStringList folders)
    : m_folders(std::move(folders)) {}

LoadedSoundPlayer::~LoadedSoundPlayer() {
    // The module stays loaded: SDL's audio libraries leave exit handlers behind them.
    m_player.reset();
}

SoundPlayer* LoadedSoundPlayer::player() {
    if (m_tried)
        return m_player.get();
    m_tried = true;
    for (const QString& folder : m_folders) {
        m_module.setFileName(QDir(folder).filePath(QLatin1String(ModuleName)));
        if (!m_module.load())
            continue;
        const auto make = reinterpret_cast<MakePlayer>(m_module.resolve(MakePlayerSymbol));
        if (make)
            m_player.reset(make());
        if (m_player)
            return m_player.get();
    }
    m_loadError = QStringLiteral("no sound player module in %1: %2")
                      .arg(m_folders.join(QLatin1Char(' ')), m_module.errorString());
    return nullptr;
}

bool LoadedSoundPlayer::play(const QByteArray& waveImage, double amplitude) {
    SoundPlayer* sdl = player();
    return sdl && sdl->play(waveImage, amplitude);
}

void LoadedSoundPlayer::stop() {
    // Nothing has played before the module is loaded, so there is nothing to stop either.
    if (m_player)
        m_player->stop();
}

bool LoadedSoundPlayer::playing() const {
    return m_player && m_player->playing();
}

QString LoadedSoundPlayer::fault() const {
    if (!m_tried)
        return {};
    return m_player ? m_player->fault() : m_loadError;
}
