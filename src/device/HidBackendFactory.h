// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/HidBackend.h"

#include <memory>

// Makes the backend the HID controller lists its devices from; the program chooses a real or a
// simulated one, tests their own.
class HidBackendFactory {
public:
    virtual ~HidBackendFactory() = default;
    virtual std::unique_ptr<HidBackend> makeBackend() = 0;
};
