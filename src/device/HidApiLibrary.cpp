// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/HidApiLibrary.h"

#include "core/LogCategories.h"

#include <QString>

#include <hidapi.h>
#include <mutex>

namespace {

std::mutex libraryMutex;
std::weak_ptr<HidApiLibrary> currentLibrary;

} // namespace

std::shared_ptr<HidApiLibrary> HidApiLibrary::acquire() {
    const std::lock_guard lock(libraryMutex);
    std::shared_ptr<HidApiLibrary> library = currentLibrary.lock();
    if (!library) {
        // hid_exit of the last user must finish before a new user's hid_init.
        library.reset(new HidApiLibrary, [](HidApiLibrary* ending) {
            const std::lock_guard endLock(libraryMutex);
            delete ending;
        });
        currentLibrary = library;
    }
    return library;
}

HidApiLibrary::HidApiLibrary() {
    m_ready = hid_init() == 0;
    if (!m_ready)
        qCWarning(lcDevice) << "hidapi did not start:"
                            << QString::fromWCharArray(hid_error(nullptr));
}

HidApiLibrary::~HidApiLibrary() {
    hid_exit();
}
