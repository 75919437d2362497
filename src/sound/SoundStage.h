// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/GhostSoundOutput.h"
#include "core/PlatformServices.h"
#include "sound/LibraryReading.h"
#include "sound/MixerLevelsRecord.h"
#include "sound/SoundReport.h"
#include "sound/StereoEffect.h"
#include "sound/SystemMixerLine.h"
#include "sound/TLMDWaveList.h"
#include "sound/ValueMaxStore.h"

#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <memory>
#include <optional>

// Where the ghosts' sounds are played: reads the library a choice names, plays one of its
// sounds and places it with the system mixer's levels, the stereo effect stepping every 100 ms.
// Libraries are read and decoded, and the player made ready for its first sound, on a thread of
// its own, so a play returns at once and reports when its sound has started (or why not);
// everything else runs on the thread that made it.
// Only the library played last stays decoded (and one being read).
class SoundStage : public QObject, public GhostSoundOutput {
    Q_OBJECT
public:
    static constexpr int PlayableCount = 10;

    // `soundFolder` holds the libraries ("<specialty><b|m>.gsn"); empty: the program's Res/Snd.
    // Takes the store, message boxes, player and mixer of `platform`, each of which may be
    // missing: without a player it stays silent, without a mixer the levels are only reported.
    explicit SoundStage(const PlatformServices& platform, QString soundFolder = {});
    // Saves "Value_Max" if loadSettings() ran.
    ~SoundStage() override;
    SoundStage(const SoundStage&) = delete;
    SoundStage& operator=(const SoundStage&) = delete;

    // Reads "Value_Max", then gives back the mixer levels a run left changed.
    void loadSettings();
    // Writes "Value_Max" now; the end then writes nothing more.
    void saveSettings();

    // The library is read (again only if it changed on disk) and the sound started from the
    // thread's event loop; a play made while another one's library is still being read replaces
    // it, and the earlier one neither plays nor reports.
    SoundChoice play(const SoundChoice& choice) override;
    // Reads the library of the last choice anew and reports it, playing nothing.
    void reloadLibrary();

    static SoundChoice inRange(SoundChoice choice);
    QString libraryPath(const SoundChoice& choice) const;

    void Timer_EffectTimer();
    void SetStereoLevels(int left, int right);
    void NewVol();

    // The sound window freezes the levels while it is up, and the next sweep starts from its
    // beginning; once it is gone they are given back when the sound has ended.
    void freezeEffect();
    void releaseEffect();

    qint32 Value_Max = ValueMaxStore::Default;
    int LeftLevel = 0;
    int RightLevel = 0;
    StereoEffect Effect;
    const QTimer& effectTimer() const { return Timer_Effect; }
    // An effect is over and its sound still plays: the user's levels come back when it ends.
    bool waitingForQuiet() const { return m_quietWatch.isActive(); }
    const std::optional<SoundReport>& lastReport() const { return m_lastReport; }

signals:
    void reported(const SoundReport& report);
    // NewVol's mixer values as computed; the mixer gets them within its scale.
    void levelsSet(int left, int right);

private:
    struct Request {
        SoundChoice choice;
        QString path;
        bool play = true;
        bool anew = false; // read the file even if the sounds held are its own
    };

    void read(Request request);
    void readingDone(const Request& request, LibraryReading& reading);
    SoundReport::Library takeOver(LibraryReading& reading);
    bool startSound(const SoundChoice& choice);
    void giveLevelsBackWhenQuiet();
    void stopPlayer();
    bool soundPlaying() const;

    PlatformServices m_platform;
    QString m_soundFolder;
    bool m_settingsLoaded = false;
    MixerLevelsRecord m_levelsRecord; // outlives Audio1, which gives the levels back last
    SystemMixerLine Audio1;
    std::unique_ptr<TLMDWaveList> WaveList_Ghost;
    LibraryStamp m_heldStamp;
    SoundChoice m_choice;
    int m_effect = 0; // of the sound started last
    std::optional<SoundReport> m_lastReport;
    QTimer Timer_Effect;
    // After an effect, waits for its sound to end before the user's levels come back: a sound
    // placed on one side must stay there while it is heard.
    QTimer m_quietWatch;
    bool m_reading = false;
    // The reader has the player until its first reading is back: it gets it ready meanwhile.
    bool m_playerReady = false;
    std::optional<Request> m_next;
    // Declared last: its destructor waits for a reading still under way.
    QThreadPool m_readers;
};
