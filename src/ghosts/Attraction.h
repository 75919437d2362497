// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AttractionOptions.h"
#include "core/PlatformServices.h"
#include "ghosts/AttractionScheduler.h"

#include <QObject>
#include <QTimer>

#include <functional>

class Ghosts;
struct ProgramState;

// The attraction for the whole run: its options with their store values, the scheduler and the
// one-second tick that counts it, the final sound and the door at its end.
class Attraction : public QObject {
    Q_OBJECT
public:
    // Opens the door; false without a board to open it with.
    using DoorOpener = std::function<bool()>;

    Attraction(ProgramState& state, const PlatformServices& platform, Ghosts& ghosts,
               DoorOpener openDoor);
    // Saves the options, if they were loaded and not saved since.
    ~Attraction() override;

    void loadSettings();
    void saveSettings();

    AttractionOptions& options() { return m_options; }
    const AttractionOptions& options() const { return m_options; }
    bool running() const;
    // As the start button: starts a stopped attraction, stops a running one.
    void toggle();
    // Whole seconds until the chosen duration ends a running attraction; -1 without a limit.
    qint32 ticksLeft() const { return m_scheduler.ticksLeft(); }

    // What the end by the duration does when its options say so, for an end chosen elsewhere.
    void playFinalSound();
    void openDoor();

    AttractionScheduler& scheduler() { return m_scheduler; }
    // Timer_Ghost: one tick a second while the attraction runs.
    const QTimer& timer() const { return Timer_Ghost; }
    void Timer_GhostTimer() { m_scheduler.Timer_GhostTimer(); }

signals:
    void runningChanged(bool running);

private:
    AttractionScheduler::Actions actions();

    ProgramState& m_state;
    SettingsStore* m_store;
    MessageBoxes* m_messages;
    Ghosts& m_ghosts;
    DoorOpener m_openDoor;
    AttractionOptions m_options;
    QTimer Timer_Ghost;
    AttractionScheduler m_scheduler;
    bool m_loaded = false;
};
