#include "app/ShutdownSignals.h"

#include "core/LogCategories.h"

#include <QMetaMethod>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalSockets[2] = {-1, -1};

void onSignal(int signalNumber) {
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // Nothing to do if the pipe is full: a shutdown is already on its way.
    [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &byte, 1);
}

void setHandler(int signalNumber, void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signalNumber, &action, nullptr);
}

// Closing the terminal or ending the desktop session sends SIGHUP: it too must save.
constexpr int HandledSignals[] = {SIGTERM, SIGINT, SIGHUP};

} // namespace

ShutdownSignals::ShutdownSignals(QObject* parent)
    : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalSockets) != 0) {
        qCWarning(lcApp) << "no socket pair for signals; a signal will end the program abruptly";
        return;
    }
    m_notifier = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ShutdownSignals::readSignal);
    for (int signalNumber : HandledSignals)
        setHandler(signalNumber, onSignal);
}

ShutdownSignals::~ShutdownSignals() {
    for (int signalNumber : HandledSignals)
        setHandler(signalNumber, SIG_DFL);
    delete m_notifier;
    for (int& socket : signalSockets) {
        if (socket >= 0)
            ::close(socket);
        socket = -1;
    }
}

void ShutdownSignals::readSignal() {
    unsigned char byte = 0;
    while (::read(signalSockets[1], &byte, 1) == 1) {
        if (heard())
            emit shutdownRequested(byte);
        else if (m_waiting == 0)
            m_waiting = byte; // one ending is enough; later ones add nothing
    }
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
