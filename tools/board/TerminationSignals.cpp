#include "TerminationSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalSockets[2] = {-1, -1};

void onSignal(int signalNumber) {
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a request to end.
    [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &byte, 1);
}

constexpr int HandledSignals[] = {SIGTERM, SIGINT};

void setHandler(int signalNumber, void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signalNumber, &action, nullptr);
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent)
    : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalSockets) != 0)
        return; // the default action still ends the board, only without removing its file
    m_notifier = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readSignal);
    for (int signalNumber : HandledSignals)
        setHandler(signalNumber, onSignal);
}

TerminationSignals::~TerminationSignals() {
    for (int signalNumber : HandledSignals)
        setHandler(signalNumber, SIG_DFL);
    delete m_notifier;
    for (int& socket : signalSockets) {
        if (socket >= 0)
            ::close(socket);
        socket = -1;
    }
}

void TerminationSignals::readSignal() {
    unsigned char byte = 0;
    bool heard = false;
    while (::read(signalSockets[1], &byte, 1) == 1)
        heard = true;
    if (heard)
        emit terminate();
}
