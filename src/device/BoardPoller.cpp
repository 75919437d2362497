// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/BoardPoller.h"

#include "core/LogCategories.h"
#include "device/BoardThread.h"
#include "device/TMyDevice.h"

#include <QPointer>

#include <exception>

namespace {

struct Exchanged {
    bool completed = false; // false: the exchange raised an error, which ends the cycle
    QString fault;
};

// On the boards' thread. A message box every 100 ms would bury the desktop: the poller logs
// what goes wrong, once.
Exchanged exchange(TMyDevice& device, const std::array<bool, BoardPoller::Outputs>& outputs) {
    try {
        for (int output = 0; output < BoardPoller::Outputs; ++output)
            device.SetDOutputs(output, outputs[static_cast<size_t>(output)] ? 1 : 0);
        device.Exchange();
        return {true, device.fault()};
    } catch (const std::exception& error) {
        return {false, QString::fromLocal8Bit(error.what())};
    }
}

} // namespace

BoardPoller::BoardPoller(BoardThread& thread, TJvHidDeviceController* controller, int productId,
                         QObject* parent)
    : QObject(parent)
    , m_thread(thread)
    , m_productId(productId)
    , m_device(std::make_shared<TMyDevice>(controller))
    , m_fault(lcDevice, QStringLiteral("Board %1").arg(productId)) {
    m_device->ProductID = static_cast<quint16>(productId);
    Timer_Work.setInterval(CycleMs);
    connect(&Timer_Work, &QTimer::timeout, this, &BoardPoller::Timer_WorkTimer);
    Timer_Work.start();
}

BoardPoller::~BoardPoller() {
    Timer_Work.stop();
    OutputStates last = m_outputs;
    std::fill_n(last.begin(), OutputsOffAtEnd, false);
    m_thread.post([device = m_device, last](TJvHidDeviceController*) { exchange(*device, last); });
}

bool BoardPoller::output(int index) const {
    return index >= 0 && index < Outputs && m_outputs[static_cast<size_t>(index)];
}

std::optional<ProgramFault> BoardPoller::fault() const {
    if (!m_fault.active())
        return std::nullopt;
    return ProgramFault{ProgramFault::Kind::Board, m_productId, m_fault.reason()};
}

void BoardPoller::setOutput(int index, bool on) {
    if (index < 0 || index >= Outputs || m_outputs[static_cast<size_t>(index)] == on)
        return;
    m_outputs[static_cast<size_t>(index)] = on;
    emit outputChanged(index, on);
}

void BoardPoller::Timer_WorkTimer() {
    // Boards that each wait out their read limit can take longer than a cycle together: a tick
    // that comes while the last exchange is on its way is let go, as a late timer would be,
    // rather than queue exchanges without end.
    if (m_exchanging)
        return;
    m_exchanging = true;
    m_thread.post([device = m_device, outputs = m_outputs, thread = &m_thread,
                   self = QPointer<BoardPoller>(this)](TJvHidDeviceController*) {
        Exchanged done = exchange(*device, outputs);
        thread->reply(self,
                      [done = std::move(done), inputs = device->inputs()](BoardPoller& poller) {
                          poller.exchangeDone(done.completed, inputs, done.fault);
                      });
    });
}

void BoardPoller::exchangeDone(bool completed, const BoardReport::Inputs& inputs,
                               const QString& fault) {
    m_exchanging = false;
    m_fault.see(fault);
    if (completed)
        emit readingArrived(inputs);
}
