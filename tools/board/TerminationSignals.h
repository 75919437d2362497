#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM and SIGINT as a Qt signal on the event loop, so the board ends through its
// destructors and removes its socket file.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminate();

private:
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
};
