// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SignalPipe.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalSockets[2] = {-1, -1};

void onSignal(int signalNumber) {
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // Nothing to do if the pipe is full: it already holds a request.
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

SignalPipe::SignalPipe(std::initializer_list<int> signalNumbers, QObject* parent)
    : QObject(parent)
    , m_signals(signalNumbers) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalSockets) != 0)
        return;
    m_notifier = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SignalPipe::readSignals);
    for (int signalNumber : m_signals)
        setHandler(signalNumber, onSignal);
}

SignalPipe::~SignalPipe() {
    if (m_notifier) {
        for (int signalNumber : m_signals)
            setHandler(signalNumber, SIG_DFL);
    }
    delete m_notifier;
    for (int& socket : signalSockets) {
        if (socket >= 0)
            ::close(socket);
        socket = -1;
    }
}

void SignalPipe::readSignals() {
    unsigned char byte = 0;
    while (::read(signalSockets[1], &byte, 1) == 1)
        emit received(byte);
}
