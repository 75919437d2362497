// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/BoardThread.h"

#include "core/LogCategories.h"
#include "device/DeviceError.h"
#include "device/HidBackendFactory.h"
#include "device/TJvHidDeviceController.h"

BoardThread::BoardThread(HidBackendFactory* factory)
    : m_worker(std::make_unique<QObject>()) {
    m_thread.setObjectName(QStringLiteral("boards"));
    m_worker->moveToThread(&m_thread);
    m_thread.start();
    if (!factory)
        return;
    // The backend's device watch (udev, or the simulator's folder) must be made on the thread
    // whose events it waits for.
    post([this, factory](TJvHidDeviceController*) {
        try {
            m_controller = std::make_unique<TJvHidDeviceController>(factory->makeBackend());
        } catch (const DeviceError& error) {
            qCWarning(lcDevice).noquote() << error.message();
        }
    });
}

BoardThread::~BoardThread() {
    post([this](TJvHidDeviceController*) {
        m_controller.reset();
        // Back home, so it is deleted on the thread it belongs to.
        m_worker->moveToThread(m_home.thread());
        m_thread.quit();
    });
    m_thread.wait();
}

void BoardThread::post(Work work) {
    QMetaObject::invokeMethod(
        m_worker.get(), [this, work = std::move(work)] { work(m_controller.get()); },
        Qt::QueuedConnection);
}
