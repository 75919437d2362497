#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Ends the program as its exit command does, from outside the user interface (a signal): a modal
// dialog or the splash that is open is closed first, through its own close handler, and the
// main window is closed once the program is back in its main loop.
class OrderlyShutdown : public QObject {
    Q_OBJECT
public:
    // `busy` tells when the main window must not be closed yet (its show sequence is running).
    OrderlyShutdown(QWidget* mainWindow, std::function<bool()> busy);

    void request();
    bool requested() const { return m_requested; }

private:
    void closeWhenReady();

    QWidget* m_mainWindow;
    std::function<bool()> m_busy;
    bool m_requested = false;
};
