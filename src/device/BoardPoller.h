// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/FaultWatch.h"
#include "core/ProgramFault.h"
#include "device/BoardReport.h"

#include <QObject>
#include <QTimer>

#include <array>
#include <memory>
#include <optional>

class BoardThread;
class TJvHidDeviceController;
class TMyDevice;

// One board, polled every 100 ms from its making to its end: each cycle sends the outputs as they
// are set, runs one exchange on the boards' thread and hands back what the board last said. Lives
// on the thread that made the boards' thread; its board object is touched only over there.
class BoardPoller : public QObject {
    Q_OBJECT
public:
    static constexpr int CycleMs = 100;
    // Output requests 0..9; only 0..7 reach the board.
    static constexpr int Outputs = 10;
    // Switched off on the board when the poller goes: the first five outputs.
    static constexpr int OutputsOffAtEnd = 5;

    // `controller` belongs to `thread` and is only handed over there.
    BoardPoller(BoardThread& thread, TJvHidDeviceController* controller, int productId,
                QObject* parent = nullptr);
    // Switches the first five outputs off with one last exchange, which the boards' thread runs
    // before it ends.
    ~BoardPoller() override;

    int productId() const { return m_productId; }
    // Out-of-range indexes are off and cannot be set.
    bool output(int index) const;
    // Sent from the next cycle on.
    void setOutput(int index, bool on);

    // Starts the cycle's exchange, unless the one before is still on its way.
    void Timer_WorkTimer();
    const QTimer& workTimer() const { return Timer_Work; }

    // Why the last cycle could not reach the board; none when it could.
    std::optional<ProgramFault> fault() const;

signals:
    // After each cycle whose exchange raised no error: the inputs last received, whether or not
    // the board answered this time.
    void readingArrived(const BoardReport::Inputs& inputs);
    void outputChanged(int index, bool on);

private:
    using OutputStates = std::array<bool, Outputs>;

    void exchangeDone(bool completed, const BoardReport::Inputs& inputs, const QString& fault);

    BoardThread& m_thread;
    const int m_productId;
    // Shared with the exchange on its way, which may end after this poller.
    std::shared_ptr<TMyDevice> m_device;
    OutputStates m_outputs{};
    bool m_exchanging = false;
    FaultWatch m_fault;
    QTimer Timer_Work;
};
