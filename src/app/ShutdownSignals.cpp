// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ShutdownSignals.h"

#include "core/LogCategories.h"

#include <QMetaMethod>

#include <csignal>

ShutdownSignals::ShutdownSignals(QObject* parent)
    : QObject(parent)
    // Closing the terminal or ending the desktop session sends SIGHUP: it too must save.
    , m_pipe({SIGTERM, SIGINT, SIGHUP}) {
    if (!m_pipe.isListening())
        qCWarning(lcApp) << "no socket pair for signals; a signal will end the program abruptly";
    connect(&m_pipe, &SignalPipe::received, this, &ShutdownSignals::readSignal);
}

ShutdownSignals::~ShutdownSignals() = default;

HeldSignals ShutdownSignals::holdUntilListening() {
    return HeldSignals({SIGTERM, SIGINT, SIGHUP});
}

void ShutdownSignals::readSignal(int signalNumber) {
    if (heard())
        emit shutdownRequested(signalNumber);
    else if (m_waiting == 0)
        m_waiting = signalNumber; // one ending is enough; later ones add nothing
}

bool ShutdownSignals::heard() const {
    return isSignalConnected(QMetaMethod::fromSignal(&ShutdownSignals::shutdownRequested));
}

void ShutdownSignals::connectNotify(const QMetaMethod& signal) {
    // Delivered from the event loop, once the connection being made is complete.
    if (signal == QMetaMethod::fromSignal(&ShutdownSignals::shutdownRequested) && m_waiting != 0)
        QMetaObject::invokeMethod(this, &ShutdownSignals::deliverWaiting, Qt::QueuedConnection);
}

void ShutdownSignals::deliverWaiting() {
    if (!heard() || m_waiting == 0)
        return;
    const int signalNumber = m_waiting;
    m_waiting = 0;
    emit shutdownRequested(signalNumber);
}
