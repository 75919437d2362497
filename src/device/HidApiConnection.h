// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/HidBackend.h"

#include <memory>

class HidApiLibrary;
struct hid_device_;

// A hidraw node opened through hidapi; closed when the connection goes.
class HidApiConnection : public HidConnection {
public:
    HidApiConnection(hid_device_* device, std::shared_ptr<HidApiLibrary> library);
    ~HidApiConnection() override;

    HidApiConnection(const HidApiConnection&) = delete;
    HidApiConnection& operator=(const HidApiConnection&) = delete;

    bool write(const quint8* data, int length) override;
    int read(quint8* data, int capacity, int timeoutMs) override;

private:
    hid_device_* m_device;
    std::shared_ptr<HidApiLibrary> m_library;
};
