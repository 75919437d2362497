#include "app/OrderlyShutdown.h"

#include "core/LogCategories.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace {
constexpr int RetryMs = 20;
}

OrderlyShutdown::OrderlyShutdown(QWidget* mainWindow, std::function<bool()> busy)
    : m_mainWindow(mainWindow)
    , m_busy(std::move(busy)) {}

void OrderlyShutdown::request() {
    qCInfo(lcApp) << "orderly shutdown requested";
    m_requested = true;
    QTimer::singleShot(0, this, &OrderlyShutdown::closeWhenReady);
}

void OrderlyShutdown::closeWhenReady() {
    // Modal windows may stack (an error box over a dialog): close the top one each round.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->close();
        QTimer::singleShot(RetryMs, this, &OrderlyShutdown::closeWhenReady);
        return;
    }
    if (m_busy && m_busy()) {
        QTimer::singleShot(RetryMs, this, &OrderlyShutdown::closeWhenReady);
        return;
    }
    m_mainWindow->close();
}
