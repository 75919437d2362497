// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/GhostQuickPanels.h"

#include "core/CurrentAct.h"
#include "core/GhostSoundOutput.h"
#include "core/StoredStep.h"
#include "ghosts/GhostTable.h"
#include "language/LanguageTexts.h"
#include "language/TextEntries.h"
#include "mainwindow/QuickPanel.h"
#include "widgetkit/ClickSource.h"
#include "widgetkit/ImageEntries.h"

#include <QLabel>

using namespace QuickPanelRows;

namespace {

constexpr QPoint PanelPlaces[] = {{45, 152},  {225, 152}, {420, 152}, {615, 152},
                                  {192, 850}, {382, 850}, {572, 850}, {762, 850}};

struct TestSound {
    qint32 special;
    qint32 soundNumber;
    qint32 stereoEffect;
};
// Ghosts 1 and 3 play the first, 2 and 4 the second: a long pedestrian sound sweeping from right
// to left, and a long plumber sound sweeping from left to right.
constexpr TestSound TestSounds[] = {{5, 0, 3}, {3, 5, 4}};

} // namespace

GhostQuickPanels::GhostQuickPanels(QWidget* window)
    : QObject(window) {
    for (int ghost = 1; ghost <= 8; ++ghost) {
        auto* panel = new QuickPanel(ghost, window);
        panel->move(PanelPlaces[ghost - 1]);
        m_panels[static_cast<size_t>(ghost - 1)] = panel;
        connectCommands(panel);
    }
}

void GhostQuickPanels::attach(GhostTable* table, CurrentAct* act, GhostSoundOutput* sound) {
    m_table = table;
    m_act = act;
    m_sound = sound;
}

void GhostQuickPanels::connectCommands(QuickPanel* panel) {
    const int ghost = panel->ghost();
    for (Row row : AllRows) {
        connect(ClickSource::on(panel->up(row)), &ClickSource::clicked, this,
                [this, ghost, row] { step(ghost, row, +1); });
        connect(ClickSource::on(panel->down(row)), &ClickSource::clicked, this,
                [this, ghost, row] { step(ghost, row, -1); });
    }
    if (panel->test())
        connect(ClickSource::on(panel->test()), &ClickSource::clicked, this,
                [this, ghost] { testSound(ghost); });
}

qint32& GhostQuickPanels::field(int ghost, Row row) {
    GhostSettings& settings = (*m_table)[ghost];
    switch (row) {
    case Special:
        return settings.Special;
    case Regime:
        return settings.Regime;
    case Temper:
        return settings.Nrav_1;
    case Volume:
        break;
    }
    return settings.Nrav_3;
}

void GhostQuickPanels::refresh(int ghost, Row row, OnFromRegime on) {
    if (!m_table)
        return;
    qint32& value = field(ghost, row);
    value = wrap(value, maximum(row, ghost));
    QuickPanel* panel = this->panel(ghost);
    if (m_texts)
        panel->setValueText(row, caption(row, ghost, value, *m_texts));
    if (row == Special && ghost <= 4 && m_setPicture)
        m_setPicture(ghost, GhostImage::first(ghost) + value);
    if (row == Regime) {
        if (on == OnFromRegime::Derive)
            (*m_table)[ghost].ON = value != 0;
        if (m_texts)
            panel->value(row)->setToolTip(regimeHint(value, *m_texts));
    }
}

void GhostQuickPanels::RefreshSpecial(int ghost) {
    refresh(ghost, Special);
}
void GhostQuickPanels::RefreshRegime(int ghost) {
    refresh(ghost, Regime);
}
void GhostQuickPanels::RefreshTemper(int ghost) {
    refresh(ghost, Temper);
}
void GhostQuickPanels::RefreshVolume(int ghost) {
    refresh(ghost, Volume);
}

void GhostQuickPanels::refreshAll() {
    for (Row row : AllRows) {
        for (int ghost = 1; ghost <= 8; ++ghost)
            refresh(ghost, row);
    }
}

void GhostQuickPanels::rememberGhosts() {
    if (m_table)
        m_remembered = *m_table;
}

void GhostQuickPanels::showChangedGhosts() {
    if (!m_table || !m_remembered)
        return;
    for (int ghost = 1; ghost <= GhostTable::GhostCount; ++ghost) {
        if ((*m_table)[ghost] == (*m_remembered)[ghost])
            continue;
        for (Row row : AllRows)
            refresh(ghost, row, OnFromRegime::Keep);
    }
    m_remembered.reset();
}

void GhostQuickPanels::step(int ghost, Row row, int delta) {
    if (!m_table)
        return;
    qint32& value = field(ghost, row);
    value = steppedStoredValue(value, delta);
    refresh(ghost, row);
}

void GhostQuickPanels::testSound(int ghost) {
    if (!m_act)
        return;
    const TestSound& sound = TestSounds[(ghost - 1) % 2];
    m_act->Special = sound.special;
    m_act->SoundKind = 0;
    m_act->SoundNumber = sound.soundNumber;
    m_act->StereoEffect = sound.stereoEffect;
    if (!m_sound)
        return;
    playCurrentAct(*m_sound, *m_act, SoundAmplitude::Full);
}

void GhostQuickPanels::applyLanguageTexts(const LanguageTexts& texts) {
    m_texts = &texts;
    for (QuickPanel* panel : m_panels) {
        for (Row row : AllRows)
            panel->value(row)->setToolTip(texts[hintEntry(row)]);
        if (!panel->large())
            continue;
        panel->title()->setText(texts[TextEntry::Ghost] +
                                QStringLiteral(" %1").arg(panel->ghost()));
        panel->test()->setText(texts[TextEntry::TestButton]);
        panel->test()->setToolTip(texts[TextEntry::SoundTestHint]);
    }
}

void GhostQuickPanels::trackHover(const PointerProbe& probe) {
    for (int ghost = 1; ghost <= 4; ++ghost)
        panel(ghost)->trackHover(probe);
}
