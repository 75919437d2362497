// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

// Keeps hidapi initialised while anything that uses it lives: the backends and every connection
// they opened, which may outlive the backend that made them.
class HidApiLibrary {
public:
    static std::shared_ptr<HidApiLibrary> acquire();

    HidApiLibrary(const HidApiLibrary&) = delete;
    HidApiLibrary& operator=(const HidApiLibrary&) = delete;
    ~HidApiLibrary();

    // False when hid_init failed; hidapi then lists nothing and opens nothing.
    bool isReady() const { return m_ready; }

private:
    HidApiLibrary();

    bool m_ready = false;
};
