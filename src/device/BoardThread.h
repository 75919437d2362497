// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QThread>

#include <functional>
#include <memory>

class HidBackendFactory;
class TJvHidDeviceController;

// The thread every exchange with a board runs on, and the HID controller, which lives there from
// its making to its end: a board that keeps its read waiting holds up this thread, never the one
// that made it. Work runs there one piece at a time, in the order posted, so the controller needs
// no lock. Post from the thread that made it; replies come back to that thread.
class BoardThread {
public:
    using Work = std::function<void(TJvHidDeviceController* controller)>;

    // Makes the backend and the controller over it on the new thread. Without a factory, or when
    // the controller cannot be made, the work sees no controller.
    explicit BoardThread(HidBackendFactory* factory);
    // Runs the work posted so far, ends the controller on its thread and waits for the thread:
    // the last exchanges of a program's end reach their boards.
    ~BoardThread();
    BoardThread(const BoardThread&) = delete;
    BoardThread& operator=(const BoardThread&) = delete;

    void post(Work work);

    // From the work: runs `then(receiver)` on the thread that made this one, unless the receiver
    // has gone by then.
    template <typename Receiver, typename Then>
    void reply(QPointer<Receiver> receiver, Then then) {
        QMetaObject::invokeMethod(
            &m_home,
            [receiver, then = std::move(then)]() mutable {
                if (receiver)
                    then(*receiver);
            },
            Qt::QueuedConnection);
    }

private:
    QThread m_thread;
    // Work is posted to this; it lives on the boards' thread.
    std::unique_ptr<QObject> m_worker;
    // Replies are posted to this; it lives on the thread that made this one.
    QObject m_home;
    std::unique_ptr<TJvHidDeviceController> m_controller;
};
