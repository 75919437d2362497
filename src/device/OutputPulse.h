// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>

#include <functional>

// Switches an output on, and off again after a fixed time. A new pulse while one runs starts the
// time anew, so the output never goes off in the middle of a second pulse.
class OutputPulse {
public:
    using Switch = std::function<void(bool on)>;

    OutputPulse(int lengthMs, Switch output);

    void start();
    bool active() const { return m_timer.isActive(); }

private:
    QTimer m_timer;
    Switch m_output;
};
