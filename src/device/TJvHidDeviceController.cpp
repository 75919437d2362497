// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/TJvHidDeviceController.h"

#include "core/LogCategories.h"
#include "device/DeviceError.h"

#include <algorithm>

namespace {
TJvHidDeviceController* theController = nullptr;
}

TJvHidDeviceController::TJvHidDeviceController(std::unique_ptr<HidBackend> backend, QObject* parent)
    : QObject(parent)
    , m_backend(std::move(backend)) {
    if (theController)
        throw DeviceError(QStringLiteral("Only one TJvHidDeviceController allowed per program"));
    theController = this;
    if (!m_backend)
        return;
    connect(m_backend.get(), &HidBackend::devicesChanged, this,
            &TJvHidDeviceController::DeviceChange);
    DeviceChange();
}

TJvHidDeviceController::~TJvHidDeviceController() {
    // Devices first: their connections belong to the backend.
    m_devices.clear();
    m_backend.reset();
    theController = nullptr;
}

TJvHidDevice* TJvHidDeviceController::CheckOutByID(int vendorId, int productId) {
    for (const auto& device : m_devices) {
        if (device->m_checkedOut || !device->m_pluggedIn || device->VendorID() != vendorId)
            continue;
        if (productId != AnyProduct && device->ProductID() != productId)
            continue;
        device->m_checkedOut = true;
        return device.get();
    }
    return nullptr;
}

void TJvHidDeviceController::CheckIn(TJvHidDevice*& device) {
    if (!device)
        return;
    const auto held = std::find_if(m_devices.begin(), m_devices.end(),
                                   [device](const auto& known) { return known.get() == device; });
    device = nullptr;
    if (held == m_devices.end())
        return;
    (*held)->CloseFile();
    (*held)->m_checkedOut = false;
    if (!(*held)->m_pluggedIn)
        m_devices.erase(held);
}

void TJvHidDeviceController::DeviceChange() {
    if (!m_backend)
        return;
    const QList<HidDeviceInfo> present = m_backend->enumerate();
    const auto isPresent = [&present](const TJvHidDevice& device) {
        return std::any_of(present.begin(), present.end(),
                           [&device](const HidDeviceInfo& info) { return info == device.m_info; });
    };
    for (const auto& device : m_devices) {
        if (device->m_pluggedIn && !isPresent(*device)) {
            device->m_pluggedIn = false;
            device->CloseFile();
        }
    }
    std::erase_if(m_devices,
                  [](const auto& device) { return !device->m_pluggedIn && !device->m_checkedOut; });
    for (const HidDeviceInfo& info : present) {
        const bool known = std::any_of(m_devices.begin(), m_devices.end(), [&info](const auto& d) {
            return d->m_pluggedIn && d->m_info == info;
        });
        if (!known)
            m_devices.push_back(std::make_unique<TJvHidDevice>(*m_backend, info));
    }
    qCDebug(lcDevice) << "HID devices present:" << m_devices.size();
}
