// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/TfmSound.h"

#include "core/CurrentAct.h"
#include "core/LogCategories.h"
#include "core/ProgramState.h"
#include "core/RuntimeFiles.h"
#include "core/SettingsStore.h"
#include "core/StoreAccess.h"
#include "sound/MixerScale.h"
#include "sound/SoundLibraryError.h"
#include "sound/SoundPlayer.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace {

const QString ValueMaxName = QStringLiteral("Value_Max");
constexpr qint32 MaxVolumeChoices[] = {100, 80, 60, 40};

} // namespace

TfmSound::TfmSound(ProgramState& state, const PlatformServices& platform, CurrentAct& act,
                   QString soundFolder)
    : QDialog(nullptr)
    , m_state(state)
    , m_platform(platform)
    , m_act(act)
    , m_soundFolder(std::move(soundFolder))
    , m_levelsRecord(platform.store, platform.messages)
    , Audio1(platform.mixer, &m_levelsRecord) {
    setObjectName(QStringLiteral("fmSound"));
    setWindowTitle(QStringLiteral("fmSound"));
    if (m_soundFolder.isEmpty())
        m_soundFolder = RuntimeFiles::locate(QStringLiteral("Res/Snd"));
    WaveList_Ghost.setStopPlayer([this] {
        if (m_platform.player)
            m_platform.player->stop();
    });
    Timer_Effect.setInterval(100);
    connect(&Timer_Effect, &QTimer::timeout, this, &TfmSound::Timer_EffectTimer);
    m_quietWatch.setInterval(100);
    connect(&m_quietWatch, &QTimer::timeout, this, [this] {
        if (!soundPlaying()) {
            m_quietWatch.stop();
            Audio1.restoreUserLevels();
        }
    });
    createControls();
    loadSettings();
    Audio1.restoreRecordedLevels();
}

TfmSound::~TfmSound() {
    saveSettings();
    // The player plays straight from the list's images: silence it before they go.
    if (m_platform.player)
        m_platform.player->stop();
}

void TfmSound::createControls() {
    resize(586, 401);
    auto* load = new QPushButton(QStringLiteral("Грузим библу"), this);
    load->setObjectName(QStringLiteral("Button1"));
    load->move(24, 40);
    connect(load, &QPushButton::clicked, this, &TfmSound::LoadGhostLibrary);

    QLabel** labels[] = {&Lbl1, &Lbl2, &Lbl3, &Lbl4, &Lbl5, &Lbl6, &Lbl9};
    const char* const names[] = {"Lbl1", "Lbl2", "Lbl3", "Lbl4", "Lbl5", "Lbl6", "Lbl9"};
    for (int i = 0; i < 7; ++i) {
        *labels[i] = new QLabel(this);
        (*labels[i])->setObjectName(QLatin1String(names[i]));
        (*labels[i])->setGeometry(24, 72 + 16 * i, 440, 16);
    }

    auto* group = new QGroupBox(QStringLiteral(" Макс. громкость "), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    group->setGeometry(8, 208, 120, 110);
    for (int i = 0; i < 4; ++i) {
        auto* radio = new QRadioButton(QString::number(MaxVolumeChoices[i]), group);
        radio->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        radio->move(10, 20 + 20 * i);
        connect(radio, &QRadioButton::clicked, this, [this, i] {
            setValueMax(MaxVolumeChoices[i]);
            ShowMaxVolume();
        });
        RadioButtons[static_cast<size_t>(i)] = radio;
    }
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(144, 216, 220, 16);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(144, 232, 220, 16);

    auto* act = new QPushButton(QStringLiteral("Button2"), this);
    act->setObjectName(QStringLiteral("Button2"));
    act->move(368, 256);
    connect(act, &QPushButton::clicked, this, [this] {
        if (m_ghostAct)
            m_ghostAct();
    });

    // Show the levels' range; they take no part in playing.
    for (auto [name, left] : {std::pair{"Left_Scroll", 482}, std::pair{"Right_Scroll", 532}}) {
        auto* track = new QSlider(Qt::Vertical, this);
        track->setObjectName(QLatin1String(name));
        track->setRange(0, 100);
        track->setGeometry(left, 10, 30, 180);
    }
}

void TfmSound::loadSettings() {
    const auto key = m_platform.store ? m_platform.store->openKey(ProgramKey, true) : nullptr;
    Value_Max = StoreReader(key.get(), m_platform.messages).integer(ValueMaxName, 100);
}

void TfmSound::saveSettings() {
    const auto key = m_platform.store ? m_platform.store->openKey(ProgramKey, true) : nullptr;
    if (!key)
        return;
    StoreWriter write(key.get(), m_platform.messages);
    write.integer(ValueMaxName, Value_Max);
    write.close();
}

void TfmSound::setValueMax(qint32 value) {
    Value_Max = value;
}

QString TfmSound::libraryPath() const {
    const QString letter = m_act.SoundKind != 0 ? QStringLiteral("m") : QStringLiteral("b");
    return m_soundFolder + QLatin1Char('/') + QString::number(m_act.Special) + letter +
           QStringLiteral(".gsn");
}

void TfmSound::LoadGhostLibrary() {
    Lbl1->setText(QStringLiteral("Путь к Библе: C:/"));
    Lbl2->setText(QStringLiteral("Звуков в Библе: 0"));
    Lbl3->setText(QStringLiteral("Тип звука: Длинный"));
    Lbl4->setText(QStringLiteral("Номер звука: 1"));
    Lbl5->setText(QStringLiteral("Специальность: 1 (Швейцар)"));
    Lbl6->setText(QStringLiteral("Эффект звука: 0 (Нет)"));
    Lbl9->setText(QStringLiteral("Ошибок: Нет"));

    if (m_act.Special < 0 || m_act.Special > 5)
        m_act.Special = 0;
    Lbl5->setText(QStringLiteral("Специальность: %1").arg(m_act.Special));
    if (m_act.SoundNumber < 0 || m_act.SoundNumber > 9)
        m_act.SoundNumber = 0;
    Lbl4->setText(QStringLiteral("Номер звука: %1").arg(m_act.SoundNumber));
    switch (m_act.StereoEffect) {
    case 0:
        Lbl6->setText(QStringLiteral("Эффект: 0: L:50   R:50"));
        break;
    case 1:
        Lbl6->setText(QStringLiteral("Эффект: 1: L:50   R:0"));
        break;
    case 2:
        Lbl6->setText(QStringLiteral("Эффект: 2: L:0    R:50"));
        break;
    default:
        break;
    }
    Lbl3->setText(m_act.SoundKind != 0 ? QStringLiteral("Тип звука: Короткий")
                                       : QStringLiteral("Тип звука: Длинный"));
    const QString path = libraryPath();
    Lbl1->setText(QStringLiteral("Путь к Библе: ") + path);

    if (QFileInfo::exists(path)) {
        try {
            WaveList_Ghost.LoadSoundLibrary(path);
            Lbl9->setText(QStringLiteral("Библа: ОК"));
        } catch (const SoundLibraryError& error) {
            qCWarning(lcSound) << path << error.what();
            Lbl9->setText(QStringLiteral("Ошибка: Библа кривая"));
        }
    } else {
        Lbl9->setText(QStringLiteral("Ошибка: Библы нет"));
    }
    Lbl2->setText(QStringLiteral("Звуков в Библе: %1").arg(WaveList_Ghost.count()));
}

void TfmSound::PlayGhostSound(SoundAmplitude amplitude) {
    if (WaveList_Ghost.count() == PlayableCount && m_platform.player) {
        const TLMDWave& wave = WaveList_Ghost.wave(m_act.SoundNumber);
        if (!wave.isEmpty())
            m_platform.player->play(wave.image(), amplitude == SoundAmplitude::Half ? 0.5 : 1.0);
    }
    // The new sound's effect owns the line now; its end gives the levels back.
    m_quietWatch.stop();
    // Enabling a running timer must not restart its phase.
    if (!Timer_Effect.isActive())
        Timer_Effect.start();
}

void TfmSound::Timer_EffectTimer() {
    const StereoEffect::Step step = Effect.tick(m_act.StereoEffect);
    if (step.levels)
        SetStereoLevels(step.levels->left, step.levels->right);
    if (!step.timerRuns) {
        Timer_Effect.stop();
        giveLevelsBackWhenQuiet();
    }
}

void TfmSound::giveLevelsBackWhenQuiet() {
    if (soundPlaying())
        m_quietWatch.start();
    else
        Audio1.restoreUserLevels();
}

bool TfmSound::soundPlaying() const {
    return m_platform.player && m_platform.player->playing();
}

void TfmSound::SetStereoLevels(int left, int right) {
    LeftLevel = left;
    RightLevel = right;
    NewVol();
}

void TfmSound::NewVol() {
    const MixerValues values = scaleLevels(Value_Max, LeftLevel, RightLevel);
    Audio1.setLevels(clampToMixer(values.left), clampToMixer(values.right));
    Label1->setText(QStringLiteral("L: %1 (max: 65535)").arg(values.left));
    Label2->setText(QStringLiteral("R: %1 (max: 65535)").arg(values.right));
}

void TfmSound::ShowMaxVolume() {
    for (size_t i = 0; i < RadioButtons.size(); ++i) {
        if (MaxVolumeChoices[i] == Value_Max)
            RadioButtons[i]->setChecked(true);
    }
}

void TfmSound::showEvent(QShowEvent* event) {
    move(0, 0);
    Effect.SweepTick = 0;
    m_state.DialogOpen = true;
    Timer_Effect.stop();
    m_quietWatch.stop();
    ShowMaxVolume();
    QDialog::showEvent(event);
}

void TfmSound::done(int result) {
    m_state.DialogOpen = false;
    // The levels the window froze go back; the frozen effect does not go on.
    giveLevelsBackWhenQuiet();
    QDialog::done(result);
}
