// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/OrderlyShutdown.h"

#include "app/ShutdownSignals.h"
#include "core/LogCategories.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace {
constexpr int RetryMs = 20;

// Modal windows may stack (an error box over a dialog): one round closes the top one.
bool closeTopModal() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return false;
    modal->close();
    return true;
}

} // namespace

OrderlyShutdown::OrderlyShutdown(std::function<bool()> busy, ShutdownSignals* signalSource)
    : m_busy(std::move(busy)) {
    if (signalSource)
        connect(signalSource, &ShutdownSignals::shutdownRequested, this, &OrderlyShutdown::request);
}

void OrderlyShutdown::request() {
    if (m_mainLoopEnded) {
        qCInfo(lcApp) << "shutdown already under way; closing the box that waits";
        QTimer::singleShot(0, this, &OrderlyShutdown::closeOpenBoxes);
        return;
    }
    if (m_requested)
        return; // already closing
    qCInfo(lcApp) << "orderly shutdown requested";
    m_requested = true;
    QTimer::singleShot(0, this, &OrderlyShutdown::closeWhenReady);
}

void OrderlyShutdown::closeWhenReady() {
    if (closeTopModal() || (m_busy && m_busy()) || !m_mainWindow) {
        QTimer::singleShot(RetryMs, this, &OrderlyShutdown::closeWhenReady);
        return;
    }
    m_mainWindow->close();
}

void OrderlyShutdown::closeOpenBoxes() {
    if (closeTopModal())
        QTimer::singleShot(RetryMs, this, &OrderlyShutdown::closeOpenBoxes);
}
