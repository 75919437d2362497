// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/GhostSettings.h"

#include <array>

// The eight ghosts, numbered 1 to 8; edited in place by the dialog and the quick panels.
class GhostTable {
public:
    static constexpr int GhostCount = 8;

    GhostSettings& operator[](int ghost);
    const GhostSettings& operator[](int ghost) const;

    bool operator==(const GhostTable&) const = default;

private:
    std::array<GhostSettings, GhostCount> m_ghosts;
};
