// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "daemon/config/ConfigKey.h"

#include <optional>
#include <vector>

// A part of the settings store as `config` sees it, read and written through the store code of
// the service that owns it, so a value set here is the value the program loads.
class ConfigSection {
public:
    virtual ~ConfigSection() = default;

    // Empty, or the store's message for a value of the wrong type: the section then cannot be
    // shown or changed without losing what the store holds.
    virtual QString load() = 0;
    // Writes what the keys' setters changed. Empty, or the store's message for a failed write.
    virtual QString save() = 0;
    // The keys as loaded, in the order they are listed.
    virtual std::vector<ConfigKey> keys() = 0;
    // A key a `set` may bring into being (a new network client); none by default.
    virtual std::optional<ConfigKey> newKey(const QString& /*name*/) { return std::nullopt; }
};
