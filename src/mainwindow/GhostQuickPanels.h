// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ghosts/GhostTable.h"
#include "mainwindow/QuickPanelRows.h"

#include <QObject>

#include <array>
#include <functional>
#include <optional>

class GhostSoundOutput;
class LanguageTexts;
class PointerProbe;
class QuickPanel;
class QWidget;
struct CurrentAct;

// The eight ghosts' quick panels: stepping a row changes the ghost in the table at once and
// refreshes the row; the test labels of ghosts 1 to 4 play a fixed sound.
class GhostQuickPanels : public QObject {
    Q_OBJECT
public:
    // Panels 1 to 4 lie over the ghost pictures; 5 to 8 below the window's visible part.
    explicit GhostQuickPanels(QWidget* window);

    // The ghosts the panels edit and the act the test labels fill in; they come into being after
    // the main window.
    void attach(GhostTable* table, CurrentAct* act, GhostSoundOutput* sound);

    // Shows picture `entry` of the ghost list on ghost k's image (ghosts 1 to 4).
    void setPictureSetter(std::function<void(int ghost, int entry)> setter) {
        m_setPicture = std::move(setter);
    }
    void setTexts(const LanguageTexts* texts) { m_texts = texts; }

    QuickPanel* panel(int ghost) const { return m_panels[static_cast<size_t>(ghost - 1)]; }

    void RefreshSpecial(int ghost);
    void RefreshRegime(int ghost);
    void RefreshTemper(int ghost);
    void RefreshVolume(int ghost);
    // Every refresher of every ghost, row by row: all specialties first, then regimes, ...
    void refreshAll();

    // The ghost dialog edits the table behind the panels' backs: they note the ghosts before it
    // opens and, once it has closed, show the ghosts it changed, so the next arrow steps from
    // the value on show. The dialog sets ON by itself; showing leaves ON as the dialog set it.
    void rememberGhosts();
    void showChangedGhosts();

    // One of the 64 arrow commands: +1 (up) or -1 (down), then the row's refresher.
    void step(int ghost, QuickPanelRows::Row row, int delta);
    // The test label of ghost 1..4.
    void testSound(int ghost);

    void applyLanguageTexts(const LanguageTexts& texts);
    void trackHover(const PointerProbe& probe);

private:
    qint32& field(int ghost, QuickPanelRows::Row row);
    enum class OnFromRegime { Derive, Keep };
    void refresh(int ghost, QuickPanelRows::Row row, OnFromRegime on = OnFromRegime::Derive);
    void connectCommands(QuickPanel* panel);

    GhostTable* m_table = nullptr;
    CurrentAct* m_act = nullptr;
    GhostSoundOutput* m_sound = nullptr;
    const LanguageTexts* m_texts = nullptr;
    std::function<void(int, int)> m_setPicture;
    std::array<QuickPanel*, 8> m_panels{};
    std::optional<GhostTable> m_remembered;
};
