// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/GhostSoundOutput.h"
#include "core/PlatformServices.h"
#include "sound/MixerLevelsRecord.h"
#include "sound/StereoEffect.h"
#include "sound/SystemMixerLine.h"
#include "sound/TLMDWaveList.h"

#include <QDialog>
#include <QTimer>

#include <array>
#include <functional>

class QLabel;
class QRadioButton;
struct CurrentAct;
struct ProgramState;

// The sound window (form fmSound): loads the library an act names, plays one of its sounds and
// places it with the system mixer's levels. Its window is a small diagnostics view, hidden in use.
class TfmSound : public QDialog, public GhostSoundOutput {
    Q_OBJECT
public:
    static constexpr int PlayableCount = 10;

    // `soundFolder` holds the libraries ("<specialty><b|m>.gsn"); empty: the program's Res/Snd.
    TfmSound(ProgramState& state, const PlatformServices& platform, CurrentAct& act,
             QString soundFolder = {});
    ~TfmSound() override;

    // The diagnostics button "Button2" runs a ghost act.
    void setGhostAct(std::function<void()> ghostAct) { m_ghostAct = std::move(ghostAct); }

    void LoadGhostLibrary() override;
    void PlayGhostSound(SoundAmplitude amplitude = SoundAmplitude::Full) override;
    void Timer_EffectTimer();
    void SetStereoLevels(int left, int right);
    void NewVol();
    void ShowMaxVolume();

    QString libraryPath() const;

    qint32 Value_Max = 100;
    int LeftLevel = 0;
    int RightLevel = 0;
    TLMDWaveList WaveList_Ghost;
    StereoEffect Effect;
    const QTimer& effectTimer() const { return Timer_Effect; }
    // An effect is over and its sound still plays: the user's levels come back when it ends.
    bool waitingForQuiet() const { return m_quietWatch.isActive(); }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTimer Timer_Effect;
    // After an effect, waits for its sound to end before the user's levels come back: a sound
    // placed on one side must stay there while it is heard.
    QTimer m_quietWatch;

    void createControls();
    void loadSettings();
    void saveSettings();
    void setValueMax(qint32 value);
    void giveLevelsBackWhenQuiet();
    bool soundPlaying() const;

    ProgramState& m_state;
    PlatformServices m_platform;
    CurrentAct& m_act;
    QString m_soundFolder;
    MixerLevelsRecord m_levelsRecord; // outlives Audio1, which gives the levels back last
    SystemMixerLine Audio1;
    std::function<void()> m_ghostAct;

    QLabel* Lbl1 = nullptr; // path
    QLabel* Lbl2 = nullptr; // count
    QLabel* Lbl3 = nullptr; // kind
    QLabel* Lbl4 = nullptr; // number
    QLabel* Lbl5 = nullptr; // specialty
    QLabel* Lbl6 = nullptr; // effect
    QLabel* Lbl9 = nullptr; // result
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    std::array<QRadioButton*, 4> RadioButtons{};
};
