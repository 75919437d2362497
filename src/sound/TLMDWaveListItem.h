// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/TLMDWave.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// One entry of a sound library.
class TLMDWaveListItem {
public:
    TLMDWave Wave;
    QByteArray Description; // Windows-1251 bytes as stored, at most 255
    std::uint16_t Ident = 0;
    bool Compressed = false;
    std::uint8_t Flags = 0; // the record's flags byte as read, for tools that show it

    QString descriptionText() const;
};
