// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SoundStage.h"

#include "core/LogCategories.h"
#include "core/RandomSource.h"
#include "sound/MixerScale.h"
#include "sound/SoundLibraryEdit.h"
#include "sound/SoundPlayer.h"
#include "sound/ValueMaxStore.h"

#include <QRandomGenerator>

#include <algorithm>

SoundStage::SoundStage(const PlatformServices& platform, QString soundFolder)
    : SoundStage(platform, soundFolder.isEmpty() ? SoundLibraryPlaces::standard()
                                                 : SoundLibraryPlaces{soundFolder, {}}) {}

SoundStage::SoundStage(const PlatformServices& platform, SoundLibraryPlaces places)
    : m_platform(platform)
    , m_places(std::move(places))
    , m_levelsRecord(platform.store, platform.messages)
    , Audio1(platform.mixer, &m_levelsRecord)
    , WaveList_Ghost(std::make_unique<TLMDWaveList>())
    , m_fault(lcSound, QStringLiteral("Sound")) {
    WaveList_Ghost->setStopPlayer([this] { stopPlayer(); });
    Timer_Effect.setInterval(100);
    connect(&Timer_Effect, &QTimer::timeout, this, &SoundStage::Timer_EffectTimer);
    m_quietWatch.setInterval(100);
    connect(&m_quietWatch, &QTimer::timeout, this, [this] {
        if (!soundPlaying()) {
            m_quietWatch.stop();
            Audio1.restoreUserLevels();
        }
    });
    // One reader: a newer play waits for the file being read rather than competing for the disk.
    m_readers.setMaxThreadCount(1);
    countOwnLibraries();
}

void SoundStage::countOwnLibraries() {
    if (m_places.own.isEmpty())
        return;
    m_readers.start([this, places = m_places] {
        std::array<int, SoundLibraryPlaces::libraryCount> counts{};
        for (int library = 0; library < SoundLibraryPlaces::libraryCount; ++library)
            counts[std::size_t(library)] =
                librarySoundCount(places.ownPath(library / 2, library % 2));
        QMetaObject::invokeMethod(
            this,
            [this, counts] {
                for (std::size_t library = 0; library < counts.size(); ++library) {
                    // A reading since knows better.
                    if (counts[library] > 0 && m_knownCounts[library] == 0)
                        m_knownCounts[library] = counts[library];
                }
            },
            Qt::QueuedConnection);
    });
}

int SoundStage::knownSoundCount(int special, int kind) const {
    return m_knownCounts[std::size_t(libraryIndex(inRange({special, kind, 0, 0})))];
}

SoundStage::~SoundStage() {
    m_readers.waitForDone();
    if (m_settingsLoaded)
        saveSettings();
    // The player may play straight from the list's images: silence it before they go.
    stopPlayer();
}

void SoundStage::loadSettings() {
    Value_Max = ValueMaxStore(m_platform.store, m_platform.messages).load();
    m_settingsLoaded = true;
    Audio1.restoreRecordedLevels();
}

void SoundStage::saveSettings() {
    m_settingsLoaded = false;
    ValueMaxStore(m_platform.store, m_platform.messages).save(Value_Max);
}

SoundChoice SoundStage::inRange(SoundChoice choice) {
    if (choice.Special < 0 || choice.Special > 5)
        choice.Special = 0;
    if (choice.SoundNumber < 0 || choice.SoundNumber > 9)
        choice.SoundNumber = 0;
    return choice;
}

QString SoundStage::libraryPath(const SoundChoice& choice) const {
    return m_places.shippedPath(choice.Special, choice.SoundKind);
}

int SoundStage::libraryIndex(const SoundChoice& choice) {
    return 2 * choice.Special + (choice.SoundKind != 0 ? 1 : 0);
}

SoundChoice SoundStage::play(const SoundChoice& choice) {
    m_choice = inRange(choice);
    const int known = m_knownCounts[std::size_t(libraryIndex(m_choice))];
    const int among = known > 0 ? known : PlayableCount;
    m_choice = pickAmong(m_choice, PlayableCount, among);
    read({m_choice, libraryPath(m_choice), true, false, among});
    return m_choice;
}

void SoundStage::preview(int special, int kind, int number, int effect) {
    m_choice = inRange({special, kind, 0, effect});
    m_choice.SoundNumber = std::max(number, 0);
    // Among none: whatever the library holds, the number only wraps round its count.
    read({m_choice, libraryPath(m_choice), true, false, 0});
}

void SoundStage::reloadLibrary() {
    read({m_choice, libraryPath(m_choice), false, true, PlayableCount});
}

void SoundStage::libraryChanged(int special, int kind, int soundCount) {
    const SoundChoice library = inRange({special, kind, 0, 0});
    m_knownCounts[std::size_t(libraryIndex(library))] = soundCount;
}

SoundChoice SoundStage::pickAmong(SoundChoice choice, int pickedAmong, int count) {
    if (count <= 0 || count == pickedAmong)
        return choice;
    if (!choice.drawn) {
        choice.SoundNumber %= count;
    } else if (m_platform.random) {
        choice.SoundNumber = m_platform.random->Random(count);
    } else {
        choice.SoundNumber = int(QRandomGenerator::global()->bounded(count));
    }
    return choice;
}

void SoundStage::read(Request request) {
    if (m_reading) {
        m_next = std::move(request);
        return;
    }
    m_reading = true;
    const LibraryStamp held = request.anew ? LibraryStamp{} : m_heldStamp;
    // Loading the player and opening the audio device take the first reading as long again.
    SoundPlayer* prepare = m_playerReady ? nullptr : m_platform.player;
    m_readers.start([this, request, held, prepare] {
        if (prepare)
            prepare->prepare();
        auto reading = std::make_shared<LibraryReading>(
            readLibrary(m_places.ownPath(request.choice.Special, request.choice.SoundKind),
                        request.path, held));
        QMetaObject::invokeMethod(
            this, [this, request, reading] { readingDone(request, *reading); },
            Qt::QueuedConnection);
    });
}

void SoundStage::readingDone(const Request& request, LibraryReading& reading) {
    m_reading = false;
    m_playerReady = true;
    if (m_platform.player)
        m_fault.see(m_platform.player->fault());
    if (m_next) {
        // Read for a choice that a newer one has replaced: only the newest plays.
        Request next = std::move(*m_next);
        m_next.reset();
        read(std::move(next));
        return;
    }
    const SoundReport::Library library = takeOver(reading);
    SoundChoice choice = request.choice;
    if (playable()) {
        const int count = WaveList_Ghost->count();
        m_knownCounts[std::size_t(libraryIndex(choice))] = count;
        // Read anew since the act drew: the library on disk has another number of sounds.
        choice = pickAmong(choice, request.drawnAmong, count);
        if (request.play)
            m_choice = choice;
    }
    const bool started = request.play && startSound(choice);
    m_lastReport =
        SoundReport{choice, reading.path, library, WaveList_Ghost->count(), started, m_heldOwn, {}};
    if (started)
        m_lastReport->description = WaveList_Ghost->item(choice.SoundNumber).descriptionText();
    emit reported(*m_lastReport);
}

std::optional<ProgramFault> SoundStage::fault() const {
    if (!m_fault.active())
        return std::nullopt;
    return ProgramFault{ProgramFault::Kind::Sound, 0, m_fault.reason()};
}

SoundReport::Library SoundStage::takeOver(LibraryReading& reading) {
    if (reading.sounds) {
        reading.sounds->setStopPlayer([this] { stopPlayer(); });
        // Freeing the old sounds stops the player, which may still be playing one of them.
        WaveList_Ghost = std::move(reading.sounds);
        m_heldStamp = reading.stamp;
        m_heldOwn = reading.own;
    }
    switch (reading.outcome) {
    case LibraryReading::Outcome::Loaded:
    case LibraryReading::Outcome::Unchanged:
        return SoundReport::Library::Loaded;
    case LibraryReading::Outcome::Corrupt:
        return SoundReport::Library::Corrupt;
    case LibraryReading::Outcome::Missing:
        break;
    }
    return SoundReport::Library::Missing;
}

bool SoundStage::playable() const {
    const int count = WaveList_Ghost->count();
    // The shipped libraries hold exactly ten; an own one whatever the user gave it.
    return m_heldOwn ? count >= 1 && count <= SoundLibraryEdit::maxSounds : count == PlayableCount;
}

bool SoundStage::startSound(const SoundChoice& choice) {
    bool started = false;
    if (playable() && m_platform.player) {
        const TLMDWave& wave = WaveList_Ghost->wave(choice.SoundNumber);
        if (!wave.isEmpty())
            started = m_platform.player->play(wave.image(),
                                              choice.amplitude == SoundAmplitude::Half ? 0.5 : 1.0);
    }
    m_effect = choice.StereoEffect;
    // The new sound's effect owns the line now; its end gives the levels back.
    m_quietWatch.stop();
    // Enabling a running timer must not restart its phase.
    if (!Timer_Effect.isActive())
        Timer_Effect.start();
    return started;
}

void SoundStage::Timer_EffectTimer() {
    const StereoEffect::Step step = Effect.tick(m_effect);
    if (step.levels)
        SetStereoLevels(step.levels->left, step.levels->right);
    if (!step.timerRuns) {
        Timer_Effect.stop();
        giveLevelsBackWhenQuiet();
    }
}

void SoundStage::SetStereoLevels(int left, int right) {
    LeftLevel = left;
    RightLevel = right;
    NewVol();
}

void SoundStage::NewVol() {
    const MixerValues values = scaleLevels(Value_Max, LeftLevel, RightLevel);
    Audio1.setLevels(clampToMixer(values.left), clampToMixer(values.right));
    emit levelsSet(values.left, values.right);
}

void SoundStage::freezeEffect() {
    Effect.SweepTick = 0;
    Timer_Effect.stop();
    m_quietWatch.stop();
}

void SoundStage::releaseEffect() {
    // The frozen effect does not go on.
    giveLevelsBackWhenQuiet();
}

void SoundStage::giveLevelsBackWhenQuiet() {
    if (soundPlaying())
        m_quietWatch.start();
    else
        Audio1.restoreUserLevels();
}

void SoundStage::stopPlayer() {
    if (m_platform.player && m_playerReady)
        m_platform.player->stop();
}

bool SoundStage::soundPlaying() const {
    return m_platform.player && m_playerReady && m_platform.player->playing();
}
