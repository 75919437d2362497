#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the user-interface thread (the handler
// only writes a byte to a socket pair). One instance per process.
//
// A modal box runs its own event loop, so a signal can be read before anything is connected;
// it is then kept and delivered as soon as a receiver connects, never dropped.
class ShutdownSignals : public QObject {
    Q_OBJECT
public:
    explicit ShutdownSignals(QObject* parent = nullptr);
    ~ShutdownSignals() override;

signals:
    void shutdownRequested(int signalNumber);

protected:
    void connectNotify(const QMetaMethod& signal) override;

private:
    void readSignal();
    void deliverWaiting();
    bool heard() const;

    QSocketNotifier* m_notifier = nullptr;
    int m_waiting = 0; // the signal read while nobody listened
};
