// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/HidBackend.h"
#include "device/TJvHidDevice.h"

#include <QObject>

#include <memory>
#include <vector>

// Knows the HID devices present and lends them out one user at a time. One per program.
class TJvHidDeviceController : public QObject {
    Q_OBJECT
public:
    static constexpr int AnyProduct = -1;

    // Throws DeviceError when another controller exists.
    explicit TJvHidDeviceController(std::unique_ptr<HidBackend> backend, QObject* parent = nullptr);
    ~TJvHidDeviceController() override;

    // The first device in the list with these ids that nobody holds, now checked out; or none.
    TJvHidDevice* CheckOutByID(int vendorId, int productId);
    // Closes the device; it becomes free again, or goes away if it was unplugged meanwhile.
    // The caller's pointer becomes null.
    void CheckIn(TJvHidDevice*& device);

    // Re-reads the devices present: gone ones are marked unplugged and closed (and leave the list
    // unless checked out); new ones join the end.
    void DeviceChange();

    int Count() const { return static_cast<int>(m_devices.size()); }
    const TJvHidDevice& Device(int index) const {
        return *m_devices.at(static_cast<size_t>(index));
    }

private:
    std::unique_ptr<HidBackend> m_backend;
    std::vector<std::unique_ptr<TJvHidDevice>> m_devices;
};
