// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

class QWidget;
class ShutdownSignals;

// Ends the program as its exit command does, from outside the user interface (a signal): a modal
// dialog, error box or the splash that is open is closed first, through its own close handler,
// and the main window is closed once the program is back in its main loop.
class OrderlyShutdown : public QObject {
    Q_OBJECT
public:
    // `busy` tells when the main window must not be closed yet (the main loop has not started, or
    // the show sequence is running). Listens to `signalSource` from now on, if given: a signal
    // may come while the windows are still loading.
    OrderlyShutdown(std::function<bool()> busy, ShutdownSignals* signalSource = nullptr);

    void setMainWindow(QWidget* mainWindow) { m_mainWindow = mainWindow; }

    void request();
    bool requested() const { return m_requested; }

    // The main loop has returned and the windows are saving: a request from now on has already
    // been handled; it only closes the box that is open, so the remaining windows still save.
    void mainLoopEnded() { m_mainLoopEnded = true; }

private:
    void closeWhenReady();
    void closeOpenBoxes();

    QWidget* m_mainWindow = nullptr;
    std::function<bool()> m_busy;
    bool m_requested = false;
    bool m_mainLoopEnded = false;
};
