// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/TfmSound.h"

#include "core/ProgramState.h"
#include "sound/SoundStage.h"

#include <QGroupBox>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace {

constexpr qint32 MaxVolumeChoices[] = {100, 80, 60, 40};

QString effectText(qint32 effect) {
    switch (effect) {
    case 0:
        return QStringLiteral("Эффект: 0: L:50   R:50");
    case 1:
        return QStringLiteral("Эффект: 1: L:50   R:0");
    case 2:
        return QStringLiteral("Эффект: 2: L:0    R:50");
    default:
        return QStringLiteral("Эффект звука: 0 (Нет)"); // the sweeps keep the starting text
    }
}

QString resultText(SoundReport::Library library) {
    switch (library) {
    case SoundReport::Library::Loaded:
        return QStringLiteral("Библа: ОК");
    case SoundReport::Library::Corrupt:
        return QStringLiteral("Ошибка: Библа кривая");
    case SoundReport::Library::Missing:
        break;
    }
    return QStringLiteral("Ошибка: Библы нет");
}

} // namespace

TfmSound::TfmSound(ProgramState& state, SoundStage& stage)
    : QDialog(nullptr)
    , m_state(state)
    , m_stage(stage) {
    setObjectName(QStringLiteral("fmSound"));
    setWindowTitle(QStringLiteral("fmSound"));
    createControls();
    connect(&m_stage, &SoundStage::reported, this, &TfmSound::showReport);
    connect(&m_stage, &SoundStage::levelsSet, this, &TfmSound::showLevels);
    if (m_stage.lastReport())
        showReport(*m_stage.lastReport());
}

void TfmSound::createControls() {
    resize(586, 401);
    auto* load = new QPushButton(QStringLiteral("Грузим библу"), this);
    load->setObjectName(QStringLiteral("Button1"));
    load->move(24, 40);
    connect(load, &QPushButton::clicked, &m_stage, &SoundStage::reloadLibrary);

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
            m_stage.Value_Max = MaxVolumeChoices[i];
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

void TfmSound::showReport(const SoundReport& report) {
    const SoundChoice& choice = report.choice;
    Lbl1->setText(QStringLiteral("Путь к Библе: ") + report.path);
    Lbl2->setText(QStringLiteral("Звуков в Библе: %1").arg(report.soundCount));
    Lbl3->setText(choice.SoundKind != 0 ? QStringLiteral("Тип звука: Короткий")
                                        : QStringLiteral("Тип звука: Длинный"));
    Lbl4->setText(QStringLiteral("Номер звука: %1").arg(choice.SoundNumber));
    Lbl5->setText(QStringLiteral("Специальность: %1").arg(choice.Special));
    Lbl6->setText(effectText(choice.StereoEffect));
    Lbl9->setText(resultText(report.library));
}

void TfmSound::showLevels(int left, int right) {
    Label1->setText(QStringLiteral("L: %1 (max: 65535)").arg(left));
    Label2->setText(QStringLiteral("R: %1 (max: 65535)").arg(right));
}

void TfmSound::ShowMaxVolume() {
    for (size_t i = 0; i < RadioButtons.size(); ++i) {
        if (MaxVolumeChoices[i] == m_stage.Value_Max)
            RadioButtons[i]->setChecked(true);
    }
}

void TfmSound::showEvent(QShowEvent* event) {
    move(0, 0);
    m_stage.freezeEffect();
    // Shown again after a minimise it is still the one open window, counted once.
    if (!m_counted) {
        m_counted = true;
        m_state.DialogOpen.opened();
    }
    ShowMaxVolume();
    QDialog::showEvent(event);
}

void TfmSound::hideEvent(QHideEvent* event) {
    // Hidden by the program rather than closed, it is no longer open either.
    if (!event->spontaneous())
        countClosed();
    QDialog::hideEvent(event);
}

void TfmSound::countClosed() {
    if (!m_counted)
        return;
    m_counted = false;
    m_state.DialogOpen.closed();
}

void TfmSound::done(int result) {
    countClosed();
    // The levels the window froze go back; the frozen effect does not go on.
    m_stage.releaseEffect();
    QDialog::done(result);
}
