#include "app/ShutdownSignals.h"

#include "core/LogCategories.h"

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

} // namespace

ShutdownSignals::ShutdownSignals(QObject* parent)
    : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalSockets) != 0) {
        qCWarning(lcApp) << "no socket pair for signals; SIGTERM will end the program abruptly";
        return;
    }
    m_notifier = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ShutdownSignals::readSignal);
    setHandler(SIGTERM, onSignal);
    setHandler(SIGINT, onSignal);
}

ShutdownSignals::~ShutdownSignals() {
    setHandler(SIGTERM, SIG_DFL);
    setHandler(SIGINT, SIG_DFL);
    delete m_notifier;
    for (int& socket : signalSockets) {
        if (socket >= 0)
            ::close(socket);
        socket = -1;
    }
}

void ShutdownSignals::readSignal() {
    unsigned char byte = 0;
    while (::read(signalSockets[1], &byte, 1) == 1)
        emit shutdownRequested(byte);
}
