// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <initializer_list>

class QSocketNotifier;

// Turns POSIX signals into a Qt signal on the thread that made it: the handler only writes the
// signal's number to a socket pair, which the event loop reads. One instance per process.
class SignalPipe : public QObject {
    Q_OBJECT
public:
    SignalPipe(std::initializer_list<int> signalNumbers, QObject* parent = nullptr);
    // Gives the signals back their default action.
    ~SignalPipe() override;

    // False when no socket pair could be made: the signals then keep their default action.
    bool isListening() const { return m_notifier != nullptr; }

signals:
    void received(int signalNumber);

private:
    void readSignals();

    QList<int> m_signals;
    QSocketNotifier* m_notifier = nullptr;
};
