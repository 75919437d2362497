// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/HeldSignals.h"
#include "core/SignalPipe.h"

#include <QObject>

// SIGTERM, SIGINT and SIGHUP as a Qt signal on the user-interface thread. One instance per
// process.
//
// A modal box runs its own event loop, so a signal can be read before anything is connected;
// it is then kept and delivered as soon as a receiver connects, never dropped.
class ShutdownSignals : public QObject {
    Q_OBJECT
public:
    explicit ShutdownSignals(QObject* parent = nullptr);
    ~ShutdownSignals() override;

    // The same signals held from the first line of main; release them once an instance listens.
    static HeldSignals holdUntilListening();

signals:
    void shutdownRequested(int signalNumber);

protected:
    void connectNotify(const QMetaMethod& signal) override;

private:
    void readSignal(int signalNumber);
    void deliverWaiting();
    bool heard() const;

    SignalPipe m_pipe;
    int m_waiting = 0; // the signal read while nobody listened
};
