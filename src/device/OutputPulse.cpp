// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/OutputPulse.h"

OutputPulse::OutputPulse(int lengthMs, Switch output)
    : m_output(std::move(output)) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(lengthMs);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { m_output(false); });
}

void OutputPulse::start() {
    m_output(true);
    m_timer.start();
}
