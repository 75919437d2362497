// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/TLMDWaveListItem.h"

#include <QString>

#include <functional>
#include <vector>

class QIODevice;

// The sounds of the sound library loaded last, in file order.
class TLMDWaveList {
public:
    TLMDWaveList() = default;
    ~TLMDWaveList();
    TLMDWaveList(const TLMDWaveList&) = delete;
    TLMDWaveList& operator=(const TLMDWaveList&) = delete;

    // The player plays straight from a sound's image, so it must be stopped before one is freed.
    void setStopPlayer(std::function<void()> stopPlayer) { m_stopPlayer = std::move(stopPlayer); }

    // Replaces the sounds with those of the file. Throws SoundLibraryError; on a signature
    // mismatch or an unopenable file the list is left as it was, otherwise it holds the records
    // read so far, including the one being read.
    void LoadSoundLibrary(const QString& path);
    void LoadSoundLibrary(QIODevice& device);

    // Loads that got past the signature check and so replaced the sounds, failed ones included.
    int replacements() const { return m_replacements; }

    int count() const { return int(m_items.size()); }
    const TLMDWaveListItem& item(int index) const { return m_items.at(std::size_t(index)); }
    const TLMDWave& wave(int index) const { return item(index).Wave; }

    void clear();

    // Whether a buffer is taken as a sound: a RIFF WAVE header with the format chunk first.
    // Throws EErrorCheckingWave when the buffer ends before a step has what it must read.
    static bool GetWaveData(const QByteArray& buffer);

private:
    std::vector<TLMDWaveListItem> m_items;
    std::function<void()> m_stopPlayer;
    int m_replacements = 0;
};
