// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/FaultWatch.h"
#include "core/GhostSoundOutput.h"
#include "core/PlatformServices.h"
#include "core/ProgramFault.h"
#include "sound/LibraryReading.h"
#include "sound/MixerLevelsRecord.h"
#include "sound/SoundLibraryPlaces.h"
#include "sound/SoundReport.h"
#include "sound/StereoEffect.h"
#include "sound/SystemMixerLine.h"
#include "sound/TLMDWaveList.h"
#include "sound/ValueMaxStore.h"

#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <array>
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

    // Reads each library from the user's own folder of `places` when it has one, otherwise from
    // the shipped folder. Takes the store, message boxes, player, mixer and random source of
    // `platform`, each of which may be missing: without a player it stays silent, without a
    // mixer the levels are only reported.
    SoundStage(const PlatformServices& platform, SoundLibraryPlaces places);
    // `soundFolder` holds the libraries ("<specialty><b|m>.gsn") and there are no own ones;
    // empty: the standard places.
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
    // Plays sound `number` of a library as the sounds window lists it: an own library's sounds
    // beyond the ten acts choose from are heard too; a number past its end wraps round.
    void preview(int special, int kind, int number, int effect);
    // Reads the library of the last choice anew and reports it, playing nothing.
    void reloadLibrary();

    static SoundChoice inRange(SoundChoice choice);
    // The shipped library of a choice.
    QString libraryPath(const SoundChoice& choice) const;
    const SoundLibraryPlaces& places() const { return m_places; }
    // A library was changed on purpose: the next act draws among the sounds it now has (a change
    // the stage is not told of is found when the library is read, its size or time changed).
    void libraryChanged(int special, int kind, int soundCount);
    // As last read or told; 0 before.
    int knownSoundCount(int special, int kind) const;

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
    // Why no sound can be heard, as the player said after getting ready for the first sound;
    // empty before it and while sounds can be heard.
    std::optional<ProgramFault> fault() const;

signals:
    void reported(const SoundReport& report);
    // NewVol's mixer values as computed; the mixer gets them within its scale.
    void levelsSet(int left, int right);

private:
    struct Request {
        SoundChoice choice;
        QString path;
        bool play = true;
        bool anew = false;              // read the file even if the sounds held are its own
        int drawnAmong = PlayableCount; // how many sounds the number was drawn or wrapped among
    };

    void read(Request request);
    void readingDone(const Request& request, LibraryReading& reading);
    SoundReport::Library takeOver(LibraryReading& reading);
    bool startSound(const SoundChoice& choice);
    static int libraryIndex(const SoundChoice& choice);
    // The number to play among `count` sounds, for a choice picked among `pickedAmong`.
    SoundChoice pickAmong(SoundChoice choice, int pickedAmong, int count);
    bool playable() const;
    // Counts the own libraries' sounds on the reader, so even the first act draws among them.
    void countOwnLibraries();
    void giveLevelsBackWhenQuiet();
    void stopPlayer();
    bool soundPlaying() const;

    PlatformServices m_platform;
    SoundLibraryPlaces m_places;
    // Each library's sound count as last read, so an act draws among an own library's sounds
    // before the reader has it; 0 until read.
    std::array<int, SoundLibraryPlaces::libraryCount> m_knownCounts{};
    bool m_heldOwn = false;
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
    FaultWatch m_fault;
    // Declared last: its destructor waits for a reading still under way.
    QThreadPool m_readers;
};
