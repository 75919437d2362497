// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Packs one piece of a wave image (1 to 32781 bytes) into a block: repeat items for runs,
// copy items for matches within the piece, literals otherwise; stored unchanged when that would
// not be shorter.
class SoundBlockEncoder {
public:
    static QByteArray encode(QByteArrayView piece);
};
